#include "Mask.h"

DEFINE_CLASS(TCustomMaskEdit, TCustomEdit, ({}))
DEFINE_COMPONENT(TMaskEdit, TCustomMaskEdit,
                 ({Prop<&TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle>("BorderStyle", &BorderStyleType),
                   Prop<&TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask>("EditMask"),
                   Prop<&TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength>("MaxLength"),
                   Prop<&TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly"),
                   Prop<&TControl::Text, &TControl::SetTextProp>("Text")}),
                 ({}))

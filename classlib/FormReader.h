// Form descriptions: the text that creates a form's components and sets their properties.
//
//   object Form1: TForm1
//     Caption = 'DVD To 3GP Converter'
//     BorderStyle = bsDialog
//     Font.Style = [fsBold]
//     OnCreate = FormCreate
//     object ListView1: TListView
//       Columns = <
//         item
//           Caption = 'Vob Files:'
//         end>
//     end
//     object Engine1: TSomeEngine
//       Data = {48656C6C6F}
//     end
//   end
#pragma once

#include <string>

class TComponent;

// Reads a description into Root: each nested object is created by class name with Root as
// owner, its properties set in the order written, events bound by name to Root's published
// handlers; a control gets the window it is written in as parent, any other component hears of
// its container through SetParentComponent (menu items join their menu or item). Then Loaded
// runs for Root and every component read, in read order. Any unknown class, property, value or
// handler raises EReadError, and what was created is freed.
void ReadComponentText(TComponent* Root, const std::string& Text);

// The text of an RCDATA resource of the running program, or raises EResNotFound (Graphics.h).
std::string LoadFormResource(const std::string& ResourceName);

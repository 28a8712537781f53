#include "TzubSkinCollection.h"

#include "Streams.h"
#include "SysUtils.h"
#include "TzubSkinEngine.h"
#include "ZUBSkinStoredSkin.h"

DEFINE_CLASS(TzubSkinCollectionItem, TCollectionItem,
             ({Field<&TzubSkinCollectionItem::SkinFile>("SkinFile")}))

TzubSkinCollectionItem::TzubSkinCollectionItem(TCollection* Collection)
    : TCollectionItem(Collection), FReader(std::make_unique<TzubSkinReader>()) {}

TzubSkinCollectionItem::~TzubSkinCollectionItem() = default;

void TzubSkinCollectionItem::Assign(TPersistent* Source) {
  auto* other = As<TzubSkinCollectionItem>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  SkinFile = other->SkinFile;
  FStoredSkin = other->FStoredSkin;
  FReader = std::make_unique<TzubSkinReader>();
  if (!FStoredSkin.empty()) LoadStoredSkin();
}

void TzubSkinCollectionItem::DefineProperties(TFiler* Filer) {
  TCollectionItem::DefineProperties(Filer);
  Filer->DefineBinaryProperty("SkinData", TFiler::TStreamProc::Bind<&TzubSkinCollectionItem::ReadSkinData>(this),
                              TFiler::TStreamProc::Bind<&TzubSkinCollectionItem::WriteSkinData>(this),
                              !SkinFile.empty() && FileExists(SkinFile));
}

void TzubSkinCollectionItem::ReadSkinData(TStream* Stream) {
  FStoredSkin = zubskin::ReadStreamBytes(Stream);
  LoadStoredSkin();
}

void TzubSkinCollectionItem::WriteSkinData(TStream* Stream) { zubskin::CopyFileToStream(SkinFile, Stream); }

void TzubSkinCollectionItem::LoadStoredSkin() {
  // A stored skin that cannot be read leaves the item without one rather than the form unread.
  zubskin::LoadThroughTempFile(FStoredSkin, [this](const std::string& name) { FReader->LoadFromFile(name); });
}

// ---------------------------------------------------------------------------------------------

DEFINE_CLASS(TzubSkinCollection, TCollection, ({}))

TzubSkinCollection::TzubSkinCollection(TzubSkinEngine* Engine)
    : TCollection(&NewCollectionItem<TzubSkinCollectionItem>), FEngine(Engine) {}

TzubSkinCollection::~TzubSkinCollection() { FEngine = nullptr; }

TPersistent* TzubSkinCollection::GetOwner() { return FEngine; }

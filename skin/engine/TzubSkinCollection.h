// Further skins carried in a form description beside the engine's own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "ZUBSkinReader.h"

class TzubSkinEngine;

// One further skin: its file name and, read from the form description, its stored bytes.
class TzubSkinCollectionItem : public TCollectionItem {
  DECLARE_CLASS(TzubSkinCollectionItem, TCollectionItem)
 public:
  explicit TzubSkinCollectionItem(TCollection* Collection);
  ~TzubSkinCollectionItem() override;

  // Copies the file name and the stored skin of another item.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  std::string SkinFile;
  TzubSkinReader* Reader() const { return FReader.get(); }
  const std::vector<uint8_t>& StoredSkin() const { return FStoredSkin; }

 private:
  void ReadSkinData(TStream* Stream);
  void WriteSkinData(TStream* Stream);
  void LoadStoredSkin();

  std::unique_ptr<TzubSkinReader> FReader;
  std::vector<uint8_t> FStoredSkin;
};

class TzubSkinCollection : public TCollection {
  DECLARE_CLASS(TzubSkinCollection, TCollection)
 public:
  explicit TzubSkinCollection(TzubSkinEngine* Engine);
  ~TzubSkinCollection() override;

  TzubSkinCollectionItem* Items(int Index) const { return static_cast<TzubSkinCollectionItem*>(TCollection::Items(Index)); }
  // The engine, so that the class library sees it as the collection's owner.
  TPersistent* GetOwner() override;

 private:
  TzubSkinEngine* FEngine;
};

// The engine on real forms under Wine, with small skins built here whose images are solid,
// distinct colours.
#include <gtest/gtest.h>

#include <fstream>

#include "EngineTesting.h"

TEST(SkinEngine, AFreshEngineHasItsDefaults) {
  EngineForm f;
  TzubSkinEngine* e = f.engine;
  EXPECT_FALSE(e->Active());
  EXPECT_FALSE(e->Ready());
  EXPECT_EQ(e->SkinFile(), "");
  EXPECT_EQ(e->DisabledTag, 9999);
  EXPECT_TRUE(e->DrawScrollBar);
  EXPECT_TRUE(e->SkinDialogs);
  EXPECT_TRUE(e->SkinAllForms());
  EXPECT_FALSE(e->BuiltIn());
  EXPECT_EQ(e->Version(), "3.1");
  EXPECT_EQ(e->ResSysMenuMin(), "Mi&nimize");
  EXPECT_EQ(e->ResSysMenuMax(), "Ma&ximize/Restore");
  EXPECT_EQ(e->ResSysMenuClose(), "&Close");
  EXPECT_EQ(e->FTitleFontColor, 0xFFFFFF);
  EXPECT_EQ(e->FBackgroundBrush, nullptr);
}

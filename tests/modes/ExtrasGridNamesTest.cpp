// Which controls of an extras layout are category buttons: "カテゴリ" and a decimal number only, so
// the category pictures ("カテゴリ画像%d") beside them never switch the category when clicked.
#include <gtest/gtest.h>

#include "modes/ExtrasGrid.h"

TEST(ExtrasGridNames, OnlyCategoryFollowedByDigitsIsACategoryButton) {
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("カテゴリ0"), 0);
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("カテゴリ12"), 12);
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("カテゴリ画像0"), -1);
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("カテゴリ"), -1);
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("カテゴリ1a"), -1);
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("カテゴリ-1"), -1);
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("カテゴリ99999999999"), -1) << "too long to be a category";
  EXPECT_EQ(CExtrasGrid::CategoryOfControl("サムネイル0"), -1);
}

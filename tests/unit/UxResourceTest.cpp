#include <gtest/gtest.h>

#include "TestFiles.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPngPool.h"
#include "uxwin/skin/UxResourceLoader.h"

TEST(UxResources, FoldersComeBeforeModuleResourcesAndMemoryAfter) {
  UxResourceLoader loader;
  std::string bytes;
  ASSERT_TRUE(loader.Load(L"xml", 60002, bytes));
  EXPECT_NE(bytes.find("<string>"), std::string::npos);
  EXPECT_FALSE(loader.Load(L"xml", 4242, bytes));

  loader.AddToMemory(4242, L"xml", "<memory/>");
  ASSERT_TRUE(loader.Load(L"xml", 4242, bytes));
  EXPECT_EQ(bytes, "<memory/>");

  testing_support::TempDir first;
  testing_support::TempDir second;
  ASSERT_TRUE(testing_support::WriteBytes(first.File(L"60002.xml"), "<first/>"));
  loader.SetFolders(first.path(), second.path());
  ASSERT_TRUE(loader.Load(L"xml", 60002, bytes));
  EXPECT_EQ(bytes, "<first/>");
  ASSERT_TRUE(testing_support::WriteBytes(second.File(L"60002.xml"), "<second/>"));
  ASSERT_TRUE(loader.Load(L"xml", 60002, bytes));
  EXPECT_EQ(bytes, "<second/>") << "the second folder is asked first";
}

TEST(UxResources, PngResourcesDecodeOnceAndGarbageDecodesToNothing) {
  Gdiplus::Bitmap* red = UxPngPool::Instance().Get(2001);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->GetWidth(), 24u);
  EXPECT_EQ(red->GetHeight(), 20u);
  EXPECT_EQ(UxPngPool::Instance().Get(2001), red) << "shared through the pool";
  Gdiplus::Color centre;
  red->GetPixel(12, 10, &centre);
  EXPECT_EQ(centre.GetAlpha(), 255);
  EXPECT_GT(centre.GetRed(), 200);
  EXPECT_EQ(UxPngPool::Instance().Get(9999), nullptr);
  EXPECT_EQ(UxPngPool::Decode("definitely not a png"), nullptr);
  EXPECT_EQ(UxPngPool::Decode(std::string("\x89PNG\r\n\x1a\n", 8)), nullptr) << "truncated";
  EXPECT_EQ(UxPngPool::Decode(""), nullptr);
}

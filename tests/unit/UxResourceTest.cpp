#include <gtest/gtest.h>

#include "TestFiles.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxBmpPool.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxJpgPool.h"
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

namespace {

bool SaveAs(Gdiplus::Bitmap& bitmap, const std::wstring& path, const wchar_t* mime) {
  CLSID encoder{};
  return UxGdiplus::EncoderClsid(mime, encoder) && bitmap.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

}  // namespace

TEST(UxResources, JpgAndBmpPoolsFindTheirImages) {
  UxCanvas canvas(8, 6);  // GDI+ running
  Gdiplus::Bitmap image(8, 6, PixelFormat24bppRGB);
  testing_support::TempDir dir;
  ASSERT_TRUE(SaveAs(image, dir.File(L"7101.jpg"), L"image/jpeg"));
  UxResourceLoader::Instance().AddToMemory(7101, L"jpg", testing_support::ReadBytes(dir.File(L"7101.jpg")));
  Gdiplus::Bitmap* jpg = UxJpgPool::Instance().Get(7101);
  ASSERT_NE(jpg, nullptr);
  EXPECT_EQ(jpg->GetWidth(), 8u);
  EXPECT_EQ(UxJpgPool::Instance().Get(7102), nullptr);

  ASSERT_TRUE(SaveAs(image, dir.File(L"7103.bmp"), L"image/bmp"));
  UxBmpPool bitmaps(nullptr, dir.path());
  HBITMAP bitmap = bitmaps.Get(7103);
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 8);
  EXPECT_EQ(bitmaps.Get(7104), nullptr);
}

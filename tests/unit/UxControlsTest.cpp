// Creating control trees from layout XML, and the basic controls' own painting.
#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "TestPictures.h"
#include "UxTreeBuilder.h"
#include "utils/TextEncoding.h"
#include "uxwin/control/CUxLineViewEx.h"
#include "uxwin/control/CUxStorageImageBtn.h"
#include "uxwin/control/UxControlTable.h"
#include "uxwin/control/UxLinearLayout.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxFilePictures.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

using testing_support::AddLoaded;
using testing_support::LoadRoot;
using testing_support::TempDir;

namespace {

CUxControlCreator& Creator() {
  static CUxControlCreator* const creator = new CUxControlCreator();
  return *creator;
}

// A 400 by 300 dialog whose children come from the given XML, as a host's section loads them.
std::unique_ptr<CUxDialog> Section(const std::string& children) {
  UxControlTable::Install();
  auto section = LoadRoot<CUxDialog>("<dlg/>", RECT{0, 0, 400, 300});
  section->set_creator(&Creator());
  tinyxml2::XMLDocument doc;
  doc.Parse(("<dlg>" + children + "</dlg>").c_str());
  section->LoadChilds(doc.RootElement() ? doc.RootElement()->FirstChildElement() : nullptr);
  section->RepositionChilds();
  return section;
}


}  // namespace

TEST(UxCreation, UnknownTagsAreSkippedWithTheirSubtree) {
  auto section = Section("<text id=\"1\">a</text><fancy id=\"2\"><text id=\"3\"/></fancy><text id=\"4\">b</text>");
  ASSERT_EQ(section->children().size(), 2u);
  EXPECT_EQ(section->children()[0]->id(), 1);
  EXPECT_EQ(section->children()[1]->id(), 4);
  EXPECT_EQ(section->FindChildByCmdID(3), nullptr);
}

TEST(UxCreation, ExtendedTagsWorkAtAnyDepthBelowTheSection) {
  auto section = Section("<linearlayout id=\"10\" pos=\"0,0,200,40\"><dlg id=\"11\" width=\"55\" height=\"27\">"
                         "<lineviewex id=\"12\" pos=\"5,|-1,-5,|1\" linecolor=\"999999\"/></dlg></linearlayout>");
  CUxWindow* line = section->FindChildByCmdID(12);
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->IsClass("lineviewex"));
  EXPECT_TRUE(section->FindChildByCmdID(11)->IsClass("div")) << "a dialog is also a panel";
  EXPECT_TRUE(section->FindChildByCmdID(10)->IsClass("dlg"));
  EXPECT_EQ(section->FindChildByCmdID(0), nullptr) << "controls without an id cannot be found";
}

TEST(UxCreation, DuplicateIdsFindDirectChildrenFirstThenDepthFirst) {
  auto section = Section("<dlg id=\"5\"><text id=\"7\">deep</text></dlg><text id=\"7\">direct</text>"
                         "<dlg><text id=\"8\">first</text></dlg><dlg><text id=\"8\">second</text></dlg>");
  EXPECT_EQ(section->FindChildByCmdID(7)->text(), L"direct");
  EXPECT_EQ(section->FindChildByCmdID(8)->text(), L"first");
}

TEST(UxCreation, ReloadingReplacesEveryChild) {
  auto section = Section("<text id=\"1\"/><dlg id=\"2\"><text id=\"3\"/></dlg>");
  const HUXWND old = section->FindChildByCmdID(3)->handle();
  tinyxml2::XMLDocument doc;
  doc.Parse("<dlg><img id=\"9\"/></dlg>");
  section->LoadChilds(doc.RootElement()->FirstChildElement());
  ASSERT_EQ(section->children().size(), 1u);
  EXPECT_EQ(section->FindChildByCmdID(1), nullptr);
  EXPECT_EQ(UxWindowMap::Instance().Resolve(old), nullptr) << "destroyed, not leaked";
}

TEST(UxCreation, HostileLayoutsGiveBoundedTrees) {
  std::string nested;
  for (int i = 0; i < 10000; ++i) nested += "<dlg>";
  for (int i = 0; i < 10000; ++i) nested += "</dlg>";
  auto deep = Section(nested);  // the parser refuses it: nothing is created
  EXPECT_LE(deep->children().size(), 1u);
  std::string commas = "<text id=\"1\" pos=\"" + std::string(100000, ',') + "\"/>";
  auto section = Section(commas);
  ASSERT_EQ(section->children().size(), 1u);
  const RECT empty = section->children()[0]->rect();  // four empty items: a zero-sized box at the origin
  EXPECT_EQ(empty.right - empty.left, 0);
  EXPECT_EQ(empty.bottom - empty.top, 0);
}

TEST(UxCreation, ChildAddedLaterGetsTheHostWindow) {
  auto section = Section("");
  section->SetContainer(reinterpret_cast<HWND>(0x1234));
  auto* late = AddLoaded<CUxWindow>(*section, "<wnd/>");
  EXPECT_EQ(late->container(), reinterpret_cast<HWND>(0x1234));
}

TEST(UxControls, StrikeThroughLineIsTwoGreyPixelsThroughTheMiddle) {
  auto section = Section("<dlg id=\"1035\" pos=\"100,50,w55,h27\"><lineviewex pos=\"5,|-1,-5,|1\" linecolor=\"999999\"/></dlg>");
  UxCanvas canvas(400, 300);
  section->RedrawRegion(canvas, nullptr);
  const LONG left = 100, top = 50;
  int grey = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x) grey += canvas.Pixel(x, y) == 0xFF999999u;
  }
  EXPECT_EQ(canvas.Pixel(left + 5, top + 13), 0xFF999999u);
  EXPECT_EQ(canvas.Pixel(left + 49, top + 13), 0xFF999999u);
  EXPECT_EQ(canvas.Pixel(left + 4, top + 13), 0u);
  EXPECT_EQ(canvas.Pixel(left + 50, top + 13), 0u);
  EXPECT_EQ(grey, 45 * 2) << "45 columns, 2 rows";
  EXPECT_EQ(CUxLineViewEx::ParseArgb("80FF0000"), 0x80FF0000u);
  EXPECT_EQ(CUxLineViewEx::ParseArgb("12G456"), 0xFF000000u);
}

TEST(UxControls, StorageButtonFramesFollowTheStateAndTheCacheFollowsThePath) {
  TempDir dir;
  const std::wstring path = dir.File(L"button.png");
  ASSERT_TRUE(testing_support::WritePicture(path, 10, 10, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu}));
  auto section = Section("<storageimagebtn id=\"1002\" pos=\"0,0,20,20\" subcount=\"3\"/>");
  CUxWindow* button = section->FindChildByCmdID(1002);
  EXPECT_EQ(button->AcceptsHeaderButtonDown(), 1) << "a press on it is reported, not dragged";
  button->SetAttribute("filepath", qm::encoding::WideToUtf8(path).c_str(), false);
  const auto centre = [&] {
    UxCanvas canvas(400, 300);
    section->RedrawRegion(canvas, nullptr);
    return canvas.Pixel(10, 10);
  };
  EXPECT_EQ(centre(), 0xFFFF0000u);
  button->ModifyState(CUxWindow::kHover, 0);
  EXPECT_EQ(centre(), 0xFF00FF00u);
  button->ModifyState(CUxWindow::kPushed, 0);
  EXPECT_EQ(centre(), 0xFF0000FFu);
  button->ModifyState(CUxWindow::kDisabled, CUxWindow::kPushed | CUxWindow::kHover);
  EXPECT_EQ(centre(), 0u) << "no fourth frame for the disabled state";
  button->ModifyState(0, CUxWindow::kDisabled);

  ASSERT_TRUE(testing_support::WritePicture(path, 10, 10, {0xFFFFFF00u, 0xFFFFFF00u, 0xFFFFFF00u}));
  EXPECT_EQ(centre(), 0xFFFF0000u) << "same path: the cached picture";
  const std::wstring other = dir.File(L"BUTTON2.png");
  ASSERT_TRUE(testing_support::WritePicture(other, 10, 10, {0xFFFFFF00u, 0xFFFFFF00u, 0xFFFFFF00u}));
  button->SetAttribute("filepath", qm::encoding::WideToUtf8(other).c_str(), false);
  EXPECT_EQ(centre(), 0xFFFFFF00u);
}

TEST(UxControls, StorageImagesWithoutAFileDrawNothing) {
  TempDir dir;
  auto section = Section("<storageimage pos=\"0,0,-0,-0\"/><storageimage pos=\"0,0,-0,-0\" filepath=\"C:\\\\no\\\\such.png\"/>");
  ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"empty.png"), ""));
  AddLoaded<CUxWindow>(*section, "<wnd/>");
  section->children()[0]->SetAttribute("filepath", qm::encoding::WideToUtf8(dir.File(L"empty.png")).c_str(), false);
  UxCanvas canvas(400, 300);
  section->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(canvas.Pixel(200, 150), 0u);
}

// Decoded ahead of the window (by the refresh) and held after the window lets go: a window made
// again decodes nothing; a file that does not decode is left for the window to refuse and log.
TEST(StoragePictures, PreparedAheadAndHeldAfterTheirWindow) {
  TempDir dir;
  const std::wstring path = dir.File(L"ahead.png"), broken = dir.File(L"ahead-broken.png");
  ASSERT_TRUE(testing_support::WritePicture(path, 8, 8, {0xFF00FF00u}));
  ASSERT_TRUE(testing_support::WriteBrokenPicture(broken, testing_support::BrokenPicture::kTruncated));
  UxFilePictures& pictures = UxFilePictures::Instance();
  const size_t before = pictures.decodes();
  pictures.Prepare(path);
  pictures.Prepare(path);
  EXPECT_EQ(pictures.decodes(), before + 1);
  for (int window = 0; window < 2; ++window) {
    auto section = Section("<storageimage pos=\"0,0,-0,-0\"/>");
    section->children()[0]->SetAttribute("filepath", qm::encoding::WideToUtf8(path).c_str(), false);
    EXPECT_TRUE(static_cast<CUxStorageImage*>(section->children()[0].get())->HasDrawablePicture());
  }
  EXPECT_EQ(pictures.decodes(), before + 1) << "neither window decoded it again";
  pictures.Prepare(broken);
  EXPECT_EQ(pictures.Get(broken), nullptr);
  EXPECT_EQ(pictures.decodes(), before + 3) << "the window's own look decodes, refuses and logs";
}

TEST(StoragePictures, DecodedOncePerFileVersionAndNeverWhilePainting) {
  TempDir dir;
  const std::wstring path = dir.File(L"background.png");
  ASSERT_TRUE(testing_support::WritePicture(path, 8, 8, {0xFFFF0000u}));
  auto section = Section("<storageimage pos=\"0,0,-0,-0\"/><storageimagebtn pos=\"0,0,8,8\" subcount=\"3\"/>");
  auto* image = static_cast<CUxStorageImage*>(section->children()[0].get());
  UxFilePictures& pictures = UxFilePictures::Instance();
  const size_t before = pictures.decodes();
  image->SetAttribute("filepath", qm::encoding::WideToUtf8(path).c_str(), false);
  const auto centre = [&] {
    UxCanvas canvas(400, 300);
    section->RedrawRegion(canvas, nullptr);
    return canvas.Pixel(200, 150);
  };
  EXPECT_EQ(centre(), 0xFFFF0000u);
  Sleep(50);  // a later write time, whatever the file system's clock granularity
  ASSERT_TRUE(testing_support::WritePicture(path, 8, 8, {0xFF0000FFu}));
  EXPECT_EQ(centre(), 0xFFFF0000u) << "a repaint draws what was decoded when the path was set";
  EXPECT_EQ(pictures.decodes(), before + 1);
  image->SetAttribute("filepath", qm::encoding::WideToUtf8(path).c_str(), false);
  EXPECT_EQ(centre(), 0xFF0000FFu) << "a new version of the file is decoded once more";
  EXPECT_EQ(pictures.decodes(), before + 2);
  ASSERT_NE(pictures.Get(path), nullptr);
  EXPECT_EQ(pictures.decodes(), before + 2) << "the same version, held by the control, is not decoded again";

  // A file that does not decode is tried once per version; one whose header is absurd not at all.
  const std::wstring broken = dir.File(L"broken.png");
  ASSERT_TRUE(testing_support::WriteBrokenPicture(broken, testing_support::BrokenPicture::kTruncated));
  image->SetAttribute("filepath", qm::encoding::WideToUtf8(broken).c_str(), false);
  EXPECT_FALSE(image->HasDrawablePicture());
  EXPECT_EQ(centre(), 0u);
  EXPECT_EQ(pictures.Get(broken), nullptr);
  EXPECT_EQ(pictures.decodes(), before + 3);
  ASSERT_TRUE(testing_support::WriteBrokenPicture(broken, testing_support::BrokenPicture::kHugeHeader));
  EXPECT_EQ(pictures.Get(broken), nullptr);
  EXPECT_EQ(pictures.decodes(), before + 3);

  // A button needs a picture at least as wide as its frame count.
  auto* button = static_cast<CUxStorageImage*>(section->children()[1].get());
  const std::wstring narrow = dir.File(L"narrow.png");
  ASSERT_TRUE(testing_support::WritePicture(narrow, 1, 8, {0xFFFF0000u, 0xFFFF0000u}));
  button->SetAttribute("filepath", qm::encoding::WideToUtf8(narrow).c_str(), false);
  EXPECT_FALSE(button->HasDrawablePicture()) << "two pixels for three frames";
  button->SetAttribute("filepath", qm::encoding::WideToUtf8(path).c_str(), false);
  EXPECT_TRUE(button->HasDrawablePicture());
}

TEST(UxControls, StorageImageStripShowsOneFrameStretched) {
  TempDir dir;
  const std::wstring path = dir.File(L"strip.png");
  ASSERT_TRUE(testing_support::WritePicture(path, 4, 4, {0xFFFF0000u, 0xFF00FF00u}));
  auto section = Section("<storageimage pos=\"0,0,40,40\" subwidth=\"4\" sub=\"3\"/>");
  section->children()[0]->SetAttribute("filepath", qm::encoding::WideToUtf8(path).c_str(), false);
  UxCanvas canvas(400, 300);
  section->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(canvas.Pixel(20, 20), 0xFF00FF00u) << "frame 3 mod 2";
}

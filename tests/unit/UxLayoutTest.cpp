// Positions, the size protocol and the linear layout, on control trees built from XML.
#include <gtest/gtest.h>

#include <string>

#include "UxTreeBuilder.h"
#include "uxwin/control/UxControlTable.h"
#include "uxwin/control/UxLinearLayout.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/style/UxStyleRegistry.h"

using testing_support::AddLoaded;
using testing_support::LoadRoot;

namespace {

std::unique_ptr<CUxDialog> DialogOf(int width, int height) {
  return LoadRoot<CUxDialog>("<dlg/>", RECT{0, 0, width, height});
}

bool SameRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
  return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// A horizontal linear layout of 300 by 40 at (10, 20) holding the given children.
std::unique_ptr<CUxDialog> RowOf(const std::string& children, const std::string& attributes = "") {
  UxControlTable::Install();
  auto dialog = DialogOf(400, 100);
  CUxControlCreator* creator = new CUxControlCreator();  // lives as long as the test process
  dialog->set_creator(creator);
  tinyxml2::XMLDocument doc;
  const std::string xml = "<dlg><linearlayout pos=\"10,20,w300,h40\" " + attributes + ">" + children + "</linearlayout></dlg>";
  doc.Parse(xml.c_str());
  dialog->LoadChilds(doc.RootElement()->FirstChildElement());
  dialog->RepositionChilds();
  return dialog;
}

CUxWindow& Child(CUxDialog& row, size_t index) {
  return *static_cast<CUxContainerWnd&>(*row.children().at(0)).children().at(index);
}

}  // namespace

TEST(UxLayout, PositionsResolveAgainstTheParentsEdgesAndCentre) {
  auto wide = DialogOf(400, 90);
  EXPECT_TRUE(SameRect(AddLoaded<CUxWindow>(*wide, "<wnd pos=\"0,0,-0,-0\"/>")->rect(), 0, 0, 400, 90));
  auto popup = DialogOf(520, 360);
  const RECT confirm = AddLoaded<CUxWindow>(*popup, "<wnd pos=\"|-140,246,|140,-46\"/>")->rect();
  EXPECT_TRUE(SameRect(confirm, 120, 246, 400, 314)) << Describe(confirm);
  auto panel = DialogOf(55, 27);
  const RECT line = AddLoaded<CUxWindow>(*panel, "<wnd pos=\"5,|-1,-5,|1\"/>")->rect();
  EXPECT_TRUE(SameRect(line, 5, 12, 50, 14)) << Describe(line);
  EXPECT_TRUE(SameRect(AddLoaded<CUxWindow>(*wide, "<wnd pos=\"10,10,w20,h30\"/>")->rect(), 10, 10, 30, 40));
  EXPECT_EQ(AddLoaded<CUxWindow>(*wide, "<wnd pos=\"-0,0\" width=\"5\" height=\"5\"/>")->rect().left, 400);
  EXPECT_EQ(AddLoaded<CUxWindow>(*wide, "<wnd pos=\"0,0\" width=\"5\" height=\"5\"/>")->rect().left, 0);
  // Three items are no position: the control sits at the inner top-left, sized by its content.
  const RECT three = AddLoaded<CUxWindow>(*wide, "<wnd pos=\"10,20,30\" width=\"12\" height=\"8\"/>")->rect();
  EXPECT_TRUE(SameRect(three, 0, 0, 12, 8)) << Describe(three);
}

TEST(UxLayout, DialogMarginsShrinkTheInnerRectangle) {
  UxStyleRegistry::Instance().LoadDocument("<style><class name=\"padded\" margin=\"10\"/></style>");
  auto dialog = LoadRoot<CUxDialog>("<dlg class=\"padded\"/>", RECT{0, 0, 200, 100});
  EXPECT_TRUE(SameRect(AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,-0,-0\"/>")->rect(), 10, 10, 190, 90));
}

TEST(UxLayout, LinearRowPlacesChildrenWithMarginsAndSpace) {
  auto row = RowOf("<text layout_width=\"50\" layout_height=\"20\"/>"
                   "<text layout_width=\"30\" layout_height=\"20\" layout_margin_left=\"-12\"/>"
                   "<text layout_width=\"10\" layout_height=\"10\" layout_margin_left=\"5\" layout_margin_top=\"3\"/>");
  EXPECT_TRUE(SameRect(Child(*row, 0).rect(), 10, 20, 60, 40)) << Describe(Child(*row, 0).rect());
  EXPECT_EQ(Child(*row, 1).rect().left, 48) << "a negative margin overlaps the predecessor";
  EXPECT_TRUE(SameRect(Child(*row, 2).rect(), 83, 23, 93, 33)) << Describe(Child(*row, 2).rect());

  auto spaced = RowOf("<text layout_width=\"50\" layout_height=\"20\"/><text layout_width=\"30\" layout_height=\"20\"/>",
                      "layout_space=\"7\"");
  EXPECT_EQ(Child(*spaced, 1).rect().left, 67);
  auto reversed = RowOf("<text layout_width=\"50\" layout_height=\"20\"/><text layout_width=\"30\" layout_height=\"20\"/>",
                        "layout_reverse=\"1\"");
  EXPECT_EQ(Child(*reversed, 1).rect().right, 310) << "the last child goes to the right edge first";
  EXPECT_EQ(Child(*reversed, 0).rect().right, 280);
  auto column = RowOf("<text layout_width=\"50\" layout_height=\"15\"/><text layout_width=\"30\" layout_height=\"10\"/>",
                      "layout_orientation=\"1\"");
  EXPECT_TRUE(SameRect(Child(*column, 1).rect(), 10, 35, 40, 45)) << Describe(Child(*column, 1).rect());
}

TEST(UxLayout, AlignedRowCentresItsRunOrPutsItAtTheEnd) {
  const std::string two = "<text layout_width=\"50\" layout_height=\"20\"/><text layout_width=\"30\" layout_height=\"20\"/>";
  auto centred = RowOf(two, "layout_space=\"10\" align=\"center\"");
  EXPECT_EQ(Child(*centred, 0).rect().left, 115) << "(300 - 90) / 2 from the row's left";
  EXPECT_EQ(Child(*centred, 1).rect().right, 205);
  auto ended = RowOf(two, "layout_space=\"10\" align=\"right\"");
  EXPECT_EQ(Child(*ended, 1).rect().right, 310);
  EXPECT_EQ(Child(*ended, 0).rect().left, 220);
  auto tooLong = RowOf(two + two + two + two, "align=\"center\"");
  EXPECT_EQ(Child(*tooLong, 0).rect().left, 10) << "a run longer than the row keeps its start in view";
}

TEST(UxLayout, HiddenChildrenTakeRoomOnlyAsPlaceHolders) {
  const std::string hidden = "<text layout_width=\"40\" layout_height=\"20\" show=\"0\"";
  const std::string after = "<text layout_width=\"10\" layout_height=\"20\"/>";
  auto gone = RowOf(hidden + "/>" + after);
  EXPECT_EQ(Child(*gone, 1).rect().left, 10);
  auto kept = RowOf(hidden + " layout_place_holder=\"1\"/>" + after);
  EXPECT_EQ(Child(*kept, 1).rect().left, 50);
  // Showing a child moves its siblings at once.
  Child(*gone, 0).SetVisible(true);
  EXPECT_EQ(Child(*gone, 1).rect().left, 50);
  Child(*gone, 0).SetVisible(false);
  EXPECT_EQ(Child(*gone, 1).rect().left, 10);
}

TEST(UxLayout, LayoutWidthIsPixelsContentOrTheOffer) {
  UxStyleRegistry::Instance().LoadDocument("<style><class name=\"roomy\" margin=\"3\"/></style>");
  auto row = RowOf("<text class=\"roomy\" layout_width=\"24\" layout_height=\"-1\">Wg</text>"
                   "<text layout_width=\"-2\" layout_height=\"12\"/>"
                   "<text class=\"roomy\" layout_height=\"-1\">Wide text</text>");
  const RECT fixed = Child(*row, 0).rect();
  EXPECT_EQ(fixed.right - fixed.left, 24);
  EXPECT_GT(fixed.bottom - fixed.top, 6) << "measured text plus twice the margin";
  const RECT matched = Child(*row, 1).rect();
  EXPECT_EQ(matched.right - matched.left, 300) << "-2 takes the layout's whole width";
  const RECT measured = Child(*row, 2).rect();
  EXPECT_GT(measured.right - measured.left, fixed.right - fixed.left);
}

TEST(UxLayout, FloatingChildrenKeepTheirOwnPosition) {
  auto row = RowOf("<text layout_width=\"50\" layout_height=\"20\"/>"
                   "<text layout_float=\"1\" pos=\"-20,0,-0,10\"/>"
                   "<text layout_width=\"30\" layout_height=\"20\"/>");
  EXPECT_TRUE(SameRect(Child(*row, 1).rect(), 290, 20, 310, 30)) << Describe(Child(*row, 1).rect());
  EXPECT_EQ(Child(*row, 2).rect().left, 60) << "a floating child is not the previous one";
}

#include "XmlFuzzTarget.h"

#include <tinyxml2.h>

#include <cstring>

#include "uxwin/UxEngine.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxResourceLoader.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxString.h"
#include "uxwin/style/UxStyleRegistry.h"

namespace hardening {

namespace {

int ResourceOf(XmlFuzzTarget::Document document) {
  switch (document) {
    case XmlFuzzTarget::Document::Layout: return 100;
    case XmlFuzzTarget::Document::Skins: return 60000;
    case XmlFuzzTarget::Document::Styles: return 60001;
    default: return 60002;
  }
}

const char* RootOf(XmlFuzzTarget::Document document) {
  switch (document) {
    case XmlFuzzTarget::Document::Layout: return "layer";
    case XmlFuzzTarget::Document::Skins: return "skins";
    case XmlFuzzTarget::Document::Styles: return "style";
    default: return "string";
  }
}

void Place(CUxWindow& window, const RECT& rect) {
  WINDOWPOS placement{};
  placement.x = rect.left;
  placement.y = rect.top;
  placement.cx = rect.right - rect.left;
  placement.cy = rect.bottom - rect.top;
  LRESULT ignored = 0;
  window.ProcessMessage(nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&placement), ignored);
}

}  // namespace

XmlFuzzTarget::XmlFuzzTarget(Document document) : document_(document) { UxEngine::SetUpOnce(); }

const char* XmlFuzzTarget::Name() const {
  switch (document_) {
    case Document::Layout: return "xml_layout";
    case Document::Skins: return "xml_skins";
    case Document::Styles: return "xml_styles";
    default: return "xml_strings";
  }
}

std::vector<std::string> XmlFuzzTarget::Corpus() {
  std::string own;
  UxResourceLoader::Instance().Load(L"xml", ResourceOf(document_), own);
  std::vector<std::string> corpus = {own};
  switch (document_) {
    case Document::Layout:
      corpus.push_back(
          "<layer width=\"200\" height=\"100\"><header height=\"20\"/><body><linearlayout pos=\"0,0,-0,-0\" "
          "layout_orientation=\"1\"><text layout_width=\"-2\">%str1%</text><dlg><lineviewex pos=\"5,|-1,-5,|1\"/></dlg>"
          "</linearlayout><img skin=\"x\" pos=\"|-10,|-10,w20,h20\"/></body><footer height=\"30\"/></layer>");
      break;
    case Document::Skins: corpus.push_back("<skins><png name=\"a\" id=\"2000\" dpi=\"1\"/><png name=\"b\"/></skins>"); break;
    case Document::Styles:
      corpus.push_back("<style><class name=\"t\" font=\"0904\" crtext=\"FF3A1C\" textmode=\"25\" gdiplus=\"1\"/></style>");
      break;
    default: corpus.push_back("<string><s id=\"1\">a &amp; b &#20013; %str2%</s><s id=\"2\"><![CDATA[x]]></s></string>");
  }
  return corpus;
}

std::vector<std::string> XmlFuzzTarget::Tokens() const {
  return {"<", ">", "</", "/>", "=", "\"", "'", " ", "<!--", "-->", "<![CDATA[", "]]>", "&amp;", "&#", "&#x", "&#0;",
          "&#1114112;", "&#xD800;", "&lt", "<?xml version=\"1.0\"?>", "<!DOCTYPE x>", " pos=\"", " width=\"",
          " layout_width=\"", " font=\"", " skin=\"", " class=\"", " id=\"", " show=\"0\"", " textmode=\"",
          "<dlg>", "</dlg>", "<text>", "<linearlayout>", "<storageimage path=\"C:\\\\nul\"/>", "<lineviewex/>",
          "<body>", "</body>", "%str", "%str1%", "\xEF\xBB\xBF", "<png name=\"", "<class name=\"", "<s id=\""};
}

std::vector<std::string> XmlFuzzTarget::Openers() const {
  return {"<dlg>", "<linearlayout>", "<a>", "<dlg pos=\"0,0,-0,-0\">", "<!--", "<x y=\"1\">"};
}

bool XmlFuzzTarget::Load(const std::string& input, FuzzVerdict& verdict) {
  switch (document_) {
    case Document::Layout: return host_.SetXml(input);
    case Document::Skins: {
      UxSkinPool pool;
      const bool loaded = pool.LoadDocument(input);
      tinyxml2::XMLDocument doc;
      if (loaded && doc.Parse(input.data(), input.size()) == tinyxml2::XML_SUCCESS && doc.RootElement()) {
        for (auto* e = doc.RootElement()->FirstChildElement("png"); e; e = e->NextSiblingElement("png")) {
          if (e->Attribute("name") && !pool.GetSkin(e->Attribute("name"))) verdict.Check(false, "a skin of the document is missing");
        }
      }
      return loaded;
    }
    case Document::Styles: {
      UxStyleRegistry registry;
      return registry.LoadDocument(input);
    }
    default: {
      UxString strings;
      const bool loaded = strings.LoadDocument(input);
      strings.Substitute(L"%str1%%str2%%str3%%str-1%%str99999999999%");
      return loaded;
    }
  }
}

void XmlFuzzTarget::LayOut(const std::string& input) {
  tinyxml2::XMLDocument doc;
  doc.Parse(input.data(), input.size());
  const tinyxml2::XMLElement* body = doc.RootElement() ? doc.RootElement()->FirstChildElement("body") : nullptr;
  if (!body) return;
  CUxDialog dialog;
  dialog.set_creator(&creator_);
  dialog.Load(body);
  Place(dialog, RECT{0, 0, 520, 360});
  Place(dialog, RECT{-10, -10, 0, 0});  // a window shrunk to nothing
  Place(dialog, RECT{0, 0, 300, 120});
  if (++accepted_ % 16 == 0) {
    UxCanvas canvas(300, 120);
    dialog.RedrawRegion(canvas, nullptr);
  }
}

FuzzVerdict XmlFuzzTarget::Run(const std::string& input) {
  tinyxml2::XMLDocument reference;
  const bool parses = reference.Parse(input.data(), input.size()) == tinyxml2::XML_SUCCESS;
  const bool expected = !input.empty() && parses && reference.RootElement() &&
                        std::strcmp(reference.RootElement()->Name(), RootOf(document_)) == 0;
  FuzzVerdict verdict;
  verdict.accepted = Load(input, verdict);
  verdict.Check(verdict.accepted == expected, expected ? "a valid document was refused" : "a document was taken that is not one");
  if (verdict.accepted && document_ == Document::Layout) LayOut(input);
  return verdict;
}

}  // namespace hardening

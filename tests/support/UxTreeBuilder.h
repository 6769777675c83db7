#pragma once

#include <tinyxml2.h>

#include <memory>

#include "uxwin/object/CUxContainerWnd.h"

namespace testing_support {

// Adds a control to a container and loads it from one XML element, the way the layout loader
// creates controls: parent, DPI flag and host first, then the attributes.
template <class Control>
Control* AddLoaded(CUxContainerWnd& parent, const char* xml) {
  tinyxml2::XMLDocument doc;
  doc.Parse(xml);
  auto* control = static_cast<Control*>(parent.AddChild(std::make_unique<Control>()));
  control->Load(doc.RootElement());
  parent.RepositionChild(control);
  return control;
}

// Loads a root control from one element and gives it a rectangle.
template <class Control>
std::unique_ptr<Control> LoadRoot(const char* xml, const RECT& rect) {
  tinyxml2::XMLDocument doc;
  doc.Parse(xml);
  auto control = std::make_unique<Control>();
  control->Load(doc.RootElement());
  control->set_rect(rect);
  return control;
}

}  // namespace testing_support

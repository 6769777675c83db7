#pragma once

#include "family/Bundle.h"

namespace foreign_test {

// A bundle as another library hands it over: its own table, built without type information
// (ForeignBundle.cpp is compiled with -fno-rtti), keeping its items in a bundle of the module.
// Released through slot 20 like any bundle.
qm::IBundle* NewForeignBundle();

}  // namespace foreign_test

#pragma once

#include "form_scenario.h"

namespace test {

using PlexaFormTest = FormTest<plexa::Form1>;

}  // namespace test

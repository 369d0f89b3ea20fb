// Corvel's editor window with no serial ports.
#pragma once

#include "form_scenario.h"

class CorvelEditorTest : public test::FormTest<corvel::Form1> {
  protected:
    CorvelEditorTest() { noPorts(); }
};

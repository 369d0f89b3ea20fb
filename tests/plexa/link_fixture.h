#pragma once

#include "controller.h"
#include "fake_port.h"
#include "form_fixture.h"

namespace test {

// Plexa's window wired to a scripted port that the simulated controller
// answers, all on the hand-driven clock.
class PlexaLinkTest : public PlexaFormTest {
  protected:
    PlexaLinkTest() : port(clock) {}

    plexa::Form1& startLinked(std::int64_t replyDelayMs = 2) {
        port.setResponder(fake::controllerResponder(controller, replyDelayMs));
        return startEditing(&port);
    }
    // Runs the window's timers until the transfer has cooled down.
    void runTransfer(std::int64_t ms = 10'000'000) { form->timers.advance(clock, ms); }

    ctrlsim::Controller controller;
    fake::FakePort port;
};

}  // namespace test

#pragma once
// A session on a scripted Ui, for the tests of commands.

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "session/session.h"
#include "support/test_support.h"

namespace qor {

template <typename ScriptUi = ScriptedUi>
class SessionFixture : public ::testing::Test {
 protected:
  // The text becomes the original, as after opening a file.
  void SetOriginal(TextView text) {
    session.SetText(Text(text));
    session.ResetHistory(u"original");
  }
  // Runs the catalogue's step of a label through the command frame.
  void RunLabel(TextView label) { session.RunStep(*Catalogue::Get().Find(label)); }

  ScriptUi ui;
  Session session{ui};
};

}  // namespace qor

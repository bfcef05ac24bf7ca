// Answers message boxes by script: each expected message is named by its string id and answered
// with a button. An unexpected message fails the test and is answered with Cancel.
#pragma once
#include "framework/Prompt.h"
#include <deque>
#include <vector>

namespace testsupport {

class ScriptedMessages {
public:
    ScriptedMessages();
    // Checks that every expected message was shown, then puts back the failing default handler.
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    ScriptedMessages& Expect(UINT textId, int answer = IDOK);
    // Every message shown so far, expected or not.
    const std::vector<fw::MessageRequest>& Shown() const { return shown_; }

private:
    int Answer(const fw::MessageRequest& request);

    struct Expected {
        UINT textId;
        int answer;
    };
    std::deque<Expected> expected_;
    std::vector<fw::MessageRequest> shown_;
};

// The handler the test main installs: every message box fails the test.
int FailOnMessage(const fw::MessageRequest& request);

} // namespace testsupport

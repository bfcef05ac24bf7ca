// Scripted message boxes.
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>

namespace testsupport {

int FailOnMessage(const fw::MessageRequest& request)
{
    ADD_FAILURE() << "unexpected message box " << request.textId << ": " << request.text;
    return IDCANCEL;
}

ScriptedMessages::ScriptedMessages()
{
    fw::SetMessageHandler([this](const fw::MessageRequest& request) { return Answer(request); });
}

ScriptedMessages::~ScriptedMessages()
{
    fw::SetMessageHandler(FailOnMessage);
    for (const Expected& missing : expected_)
        ADD_FAILURE() << "message " << missing.textId << " was expected but never shown";
}

ScriptedMessages& ScriptedMessages::Expect(UINT textId, int answer)
{
    expected_.push_back({textId, answer});
    return *this;
}

int ScriptedMessages::Answer(const fw::MessageRequest& request)
{
    shown_.push_back(request);
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected message box " << request.textId << ": " << request.text;
        return IDCANCEL;
    }
    Expected next = expected_.front();
    expected_.pop_front();
    EXPECT_EQ(next.textId, request.textId) << "message shown: " << request.text;
    return next.answer;
}

} // namespace testsupport

#pragma once
// Checking a message box the scripted seam recorded: its prompt, style and title at once.
#include "platform/core/ScriptedSeams.h"

#include <gtest/gtest.h>
#include <string>

namespace bkl::test {

inline ::testing::AssertionResult IsBox(const ShownBox& box, const QString& prompt, int style, const QString& title)
{
    if (box.prompt == prompt && box.style == style && box.title == title)
        return ::testing::AssertionSuccess();
    const auto shown = [](const QString& p, int s, const QString& t) {
        return '"' + p.toStdString() + "\", style " + std::to_string(s) + ", title \"" + t.toStdString() + '"';
    };
    return ::testing::AssertionFailure() << "box " << shown(box.prompt, box.style, box.title) << "\n instead of "
                                         << shown(prompt, style, title);
}

} // namespace bkl::test

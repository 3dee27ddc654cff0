// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCallOut.h"

#include "ZuFocusPolicy.h"

namespace
{
// Owns the content and its box while the box is modal; the modal component
// manager deletes it once the box's modal state ended.
struct CallOutHolder : juce::ModalComponentManager::Callback
{
    CallOutHolder(std::unique_ptr<juce::Component> c, juce::Rectangle<int> area, juce::Component* parent)
        : content(std::move(c)), callout(*content, area, parent)
    {
        // A box inside the editor is under the editor's policy already; one on
        // the desktop is a window of its own and gets its own.
        if (parent == nullptr)
            focusPolicy.attachTo(callout);
        callout.setVisible(true);
        callout.enterModalState(true, this);
    }

    void modalStateFinished(int) override {}

    std::unique_ptr<juce::Component> content;
    juce::CallOutBox callout;
    ZuFocusPolicy focusPolicy;
};
} // namespace

juce::CallOutBox& launchZuCallOut(std::unique_ptr<juce::Component> content, juce::Rectangle<int> area,
                                  juce::Component& parent)
{
    jassert(content != nullptr);
    return (new CallOutHolder(std::move(content), area, &parent))->callout;
}

juce::CallOutBox& launchZuCallOutOnDesktop(std::unique_ptr<juce::Component> content, juce::Rectangle<int> screenArea)
{
    jassert(content != nullptr);
    return (new CallOutHolder(std::move(content), screenArea, nullptr))->callout;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuFocusPolicy.h"

ZuFocusPolicy::~ZuFocusPolicy()
{
    juce::Desktop::getInstance().removeFocusChangeListener(this);
    for (auto* c : watched)
        c->removeComponentListener(this);
}

void ZuFocusPolicy::attachTo(juce::Component& newRoot)
{
    if (root == nullptr)
        juce::Desktop::getInstance().addFocusChangeListener(this);
    root = &newRoot;
    watch(newRoot);
}

bool ZuFocusPolicy::isTypingField(const juce::Component& c)
{
    return dynamic_cast<const juce::TextEditor*>(&c) != nullptr;
}

bool ZuFocusPolicy::isControl(const juce::Component& c)
{
    return dynamic_cast<const juce::Button*>(&c) != nullptr || dynamic_cast<const juce::Slider*>(&c) != nullptr ||
           dynamic_cast<const juce::ComboBox*>(&c) != nullptr || dynamic_cast<const juce::Label*>(&c) != nullptr ||
           dynamic_cast<const juce::ScrollBar*>(&c) != nullptr;
}

void ZuFocusPolicy::apply(juce::Component& c)
{
    if (isTypingField(c) || !isControl(c))
        return;
    c.setMouseClickGrabsKeyboardFocus(false);
    c.setWantsKeyboardFocus(false);
}

void ZuFocusPolicy::watch(juce::Component& c)
{
    if (!watched.insert(&c).second)
        return;
    c.addComponentListener(this);
    apply(c);
    for (auto* child : c.getChildren())
        watch(*child);
}

void ZuFocusPolicy::componentChildrenChanged(juce::Component& c)
{
    for (auto* child : c.getChildren())
        watch(*child);
}

void ZuFocusPolicy::componentBeingDeleted(juce::Component& c)
{
    c.removeComponentListener(this);
    watched.erase(&c);
}

void ZuFocusPolicy::globalFocusChanged(juce::Component* focused)
{
    if (focused == nullptr || root == nullptr || !root->isParentOf(focused) || isTypingField(*focused) ||
        !isControl(*focused))
        return;
    apply(*focused);
    focused->giveAwayKeyboardFocus();
}

namespace
{
// Tries to focus a field every few milliseconds until it has the focus, the
// field is gone, or the tries ran out; deletes itself then.
class FocusRetry : private juce::Timer
{
public:
    explicit FocusRetry(juce::TextEditor& f) : field(&f) { startTimer(intervalMs); }

private:
    static constexpr int intervalMs = 20;
    static constexpr int maxTries = 100;

    void timerCallback() override
    {
        auto* f = field.getComponent();
        if (f != nullptr && f->isShowing() && !f->hasKeyboardFocus(false))
            f->grabKeyboardFocus();
        if (f == nullptr || f->hasKeyboardFocus(false) || ++tries >= maxTries)
            delete this;
    }

    juce::Component::SafePointer<juce::TextEditor> field;
    int tries = 0;
};
} // namespace

void ZuFocusPolicy::focusWhenShown(juce::TextEditor& field)
{
    if (field.isShowing())
        field.grabKeyboardFocus();
    if (!field.hasKeyboardFocus(false))
        new FocusRetry(field);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// Shows content in a call-out box over parent, pointing at area (parent's
// coordinates), as juce::CallOutBox::launchAsynchronously does, but without
// its check that closes the box 200 ms after opening while JUCE judges the
// process to be in the background: an editor embedded in a host's window may
// be judged so all along, and its call-outs must stay until the user answers.
// A click outside and Escape still dismiss the box. The box owns content and
// deletes both when it is dismissed. Message thread only.
juce::CallOutBox& launchZuCallOut(std::unique_ptr<juce::Component> content, juce::Rectangle<int> area,
                                  juce::Component& parent);

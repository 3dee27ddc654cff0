// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

// One instance per process of every look-and-feel class, of the prepared path
// stores and of the colour theme. A holder keeps a ZuShared<T> member: the
// first share builds T under T's own lock, the last one deletes it, and a
// later share builds it anew with the same contents.
//
// A holder declares its shares before the components it gives them to, so
// that those components are destroyed first and never see a deleted
// look-and-feel. A widget that holds the share of its own look-and-feel
// clears its look-and-feel at the start of its destructor.
template <typename T> using ZuShared = juce::SharedResourcePointer<T>;

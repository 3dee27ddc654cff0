// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One note that a pitch unit starts in the current block. The pitch unit fills
// the first seven fields; the note handler alone writes the last three.
struct NoteInfo
{
    int noteNumber = 0;       // MIDI note 0..127; -1 once merged into a sounding note
    int endSample = 0;        // note-off position counted from the current block's start
    bool slur = false;        // held until the unit's next note decides its end
    int startSample = 0;      // note-on position within the block
    float velocity = 0.0f;    // 0 < velocity <= 1
    int channel = 1;          // MIDI channel 1..16
    int unitNumber = 1;       // pitch unit 1..4
    bool endPending = false;  // a later note has set this note's end
    int pendingEndSample = 0; // that end, counted from the current block's start
    bool merged = false;      // continues a sounding slurred note of the same pitch: no note-on
};

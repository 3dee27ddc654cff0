// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"

// Label members: each replaces JUCE's label drawing completely. The label's
// own font is never used; the text is fitted into the label in the face and
// height its style properties ask for ("fontface", "fontsize" x height).
// Colours are the label's background and text colour ids.

// The family's model: "bgcolor" fill, centred text, 38 % when disabled.
class ZuCLAF_Label : public ZuCLAF_BaseBase
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// "bgcolor" fill, the label's justification; disabled shows no text.
class ZuCLAF_Label2 : public ZuCLAF_BaseBase
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// No fill; the label's justification, squeezed at most to 0.8; disabled
// draws nothing.
class ZuCLAF_Label3 : public ZuCLAF_BaseBase
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// No fill (the parent shows through); centred text, 38 % when disabled.
class ZuCLAF_SEQ1Label : public ZuCLAF_BaseBase
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// "bgcolor" fill, the label's justification, 38 % when disabled.
class ZuCLAF_NoteLabel : public ZuCLAF_BaseBase
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// "bgcolor" fill with a rounded box in the background colour over it; the
// label's justification; disabled shows only the fills.
class ZuCLAF_ValLabel : public ZuCLAF_BaseBase
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// The unit name that stands on end in a unit header: in a label taller than
// wide the text height follows the width and the text reads bottom to top.
class ZuCLAF_VerticalLabel : public ZuCLAF_Base
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

// A caption of the menu strip: rounded box, bold fitted text at 0.9 x height.
class ZuCLAF_MenuLabel : public ZuCLAF_Base
{
public:
    void drawLabel(juce::Graphics& g, juce::Label& label) override;
};

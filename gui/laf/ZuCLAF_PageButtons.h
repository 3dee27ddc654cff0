// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuButtonParts.h"

// Page switches, step buttons and flat tab buttons. "Active" is toggled or
// pressed: a page switch shows its second page while the mouse holds it down.

// Two pills "Step    1 - 16" / "Step    17 - 32" with arrows between them.
class ZuCLAF_PageButton2 : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    ZuCLAF_PageButton2();
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;

private:
    juce::Path arrowLeft, arrowRight, page1Text, page2Text;
};

// Two stacked boxes; the toggle picks the filled one.
class ZuCLAF_CtrlPageButton : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// The step on/off and slur buttons.
class ZuCLAF_CenterSqButton : public ZuCLAF_BaseBase
{
public:
    ZuCLAF_CenterSqButton();
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;

    // The slur arc turned by 3/4 pi about its own centre, and the power icon.
    static juce::Path preparedSlur();

protected:
    juce::Path slur, power;
};

class ZuCLAF_FlatButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// Two pills with the page texts laid out on every draw and a divider.
class ZuCLAF_PageButton : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// Two dots, one above the other.
class ZuCLAF_PageButton3 : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

class ZuCLAF_Seq1Button : public ZuCLAF_CenterSqButton
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

namespace ZuPageTexts
{
inline const char* const page1 = "Step    1 - 16";
inline const char* const page2 = "Step    17 - 32";
} // namespace ZuPageTexts

// SPDX-License-Identifier: GPL-3.0-or-later
#include "SEQ1CtrlPanel_StrtSizeBox.h"

#include "PluginSettingState.h"
#include "ZuCallOut.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuEditorAccess.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

namespace
{
constexpr double maxResetCount = 1024.0;
} // namespace

SEQ1CtrlPanel_StrtSizeBox::SEQ1CtrlPanel_StrtSizeBox(bool centre, bool second)
    : centreStyle(centre), secondFlag(second), modKnobs(centre, 2)
{
    const auto entry = [this](int e) { return colorTheme->entry(e, skinMode); };

    addAndMakeVisible(modKnobs);
    modKnobs.setBgColor(entry(1));
    modKnobs.setThumbColor(entry(17));

    addAndMakeVisible(captionLabel);
    captionLabel.setLookAndFeel(&captionLook.get());
    captionLabel.setText({}, juce::dontSendNotification);
    captionLabel.setJustificationType(juce::Justification::centred);
    captionLabel.setEditable(false, false, false);
    captionLabel.setColour(juce::Label::backgroundColourId, entry(1));
    captionLabel.setColour(juce::Label::textColourId, juce::Colour(0xff303030));
    captionLabel.getProperties().set("fontsize", 0.88);
    captionLabel.getProperties().set("fontface", "Medium");

    addAndMakeVisible(valueBox);
    valueBox.setName({});
    valueBox.setTooltip({});
    valueBox.setLookAndFeel(&boxLook.get());
    valueBox.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    valueBox.setVelocityModeParameters(1.0, 1, colorTheme->dragValue(3), true,
                                       juce::ModifierKeys::ctrlAltCommandModifiers);
    valueBox.getProperties().set("barflag", 1);
    valueBox.getProperties().set("fontsize", 0.68);
    valueBox.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    valueBox.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);

    if (centreStyle)
    {
        valueBox.setColour(juce::Slider::backgroundColourId, entry(2));
        valueBox.setColour(juce::Slider::textBoxBackgroundColourId, entry(2));
        valueBox.setColour(juce::Slider::textBoxTextColourId, entry(38));
        valueBox.setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.2f));
        valueBox.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
        valueBox.getProperties().set("fontsize", 0.9);
        modKnobs.setBgColor(entry(31));
        modKnobs.setThumbColor(entry(35));
    }
    else
    {
        valueBox.setColour(juce::Slider::backgroundColourId, entry(1));
        valueBox.setColour(juce::Slider::textBoxBackgroundColourId, entry(1).brighter(0.05f));
        valueBox.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xff282828));
        valueBox.setColour(juce::Slider::trackColourId, entry(4).withAlpha(0.4f));
        valueBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff202020));
    }
}

SEQ1CtrlPanel_StrtSizeBox::~SEQ1CtrlPanel_StrtSizeBox()
{
    hostAttachment.reset();
    captionLabel.setLookAndFeel(nullptr);
    valueBox.setLookAndFeel(nullptr);
}

juce::String SEQ1CtrlPanel_StrtSizeBox::signedText(double value, const juce::String& unit)
{
    const int whole = std::isfinite(value) ? (int) juce::jlimit(-1.0e6, 1.0e6, value) : 0;
    return (value > 0.0 ? "+" : "") + juce::String(whole) + unit;
}

void SEQ1CtrlPanel_StrtSizeBox::setAttachment(juce::ValueTree data, juce::String id, float defaultValue,
                                              juce::NormalisableRange<double> range)
{
    ZuParamAttacher::attachToSlider(data, juce::Identifier(id), defaultValue, range, valueBox);
    modKnobs.setAttachment(data, id);
    valueBox.getProperties().set("maxval", range.end);
    valueBox.getProperties().set("bipolar", range.start < 0.0 ? 1 : 0);

    if (defaultValue == 1.0f)
        valueBox.setTooltip("Sets the seqeuncer start position");
    else if (defaultValue == 16.0f)
        valueBox.setTooltip("Sets the running size");

    if (range.end == 3.0)
    {
        valueBox.textFromValueFunction = [](double v) { return signedText(v, " oct"); };
        valueBox.setTooltip("Sets the octave transposition");
    }
    else if (range.end == 12.0)
    {
        valueBox.textFromValueFunction = [](double v) { return signedText(v, " st"); };
        valueBox.setTooltip("Sets the transpose value +/- 12st");
    }
    valueBox.updateText();
}

void SEQ1CtrlPanel_StrtSizeBox::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String caption,
                                              juce::String parameterId)
{
    captionLabel.setText(caption, juce::dontSendNotification);
    const bool octave = caption == "Octave", transpose = caption == "TP";
    double maxValue = 1.0;
    if (caption == "Start" || caption == "Size")
        maxValue = 32.0;
    else if (octave)
        maxValue = 3.0;
    else if (transpose)
        maxValue = 12.0;
    valueBox.getProperties().set("maxval", maxValue);
    valueBox.getProperties().set("bipolar", (octave || transpose) ? 1 : 0);
    hostAttachment.reset();
    if (state.getParameter(parameterId) != nullptr)
        hostAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, parameterId, valueBox);
    if (octave)
        valueBox.textFromValueFunction = [](double v) { return signedText(v, " oct"); };
    else if (transpose)
        valueBox.textFromValueFunction = [](double v) { return signedText(v, " st"); };
    valueBox.updateText();
    modKnobs.setAttachments(state, parameterId);
}

void SEQ1CtrlPanel_StrtSizeBox::setTextSizeFactor(float factor)
{
    valueBox.getProperties().set("fontsize", factor);
}

void SEQ1CtrlPanel_StrtSizeBox::setBaseColor(juce::Colour& colour)
{
    valueBox.setColour(juce::Slider::trackColourId, colour.withAlpha(0.2f));
}

void SEQ1CtrlPanel_StrtSizeBox::resized()
{
    const int x = 0, y = 0, W = getWidth(), H = getHeight();
    if (centreStyle)
    {
        const int w = juce::jmax(0, W - 2), h = juce::jmax(0, H);
        const int p = juce::jmin((int) ((float) h * modPairWidthFactor), w);
        modKnobs.setBounds(x + 1 + w - p, y, p, h);
        const int g = juce::jmin(juce::jmax(2, (int) (0.12 * p)), w - p);
        valueBox.setBounds(x + 1, y + 1, juce::jmax(0, w - p - g), juce::jmax(0, H - 2));
        return;
    }
    auto inner = getLocalBounds().withTrimmedLeft(2).withTrimmedRight(2).withTrimmedTop(1).withTrimmedBottom(1);
    const int pairWidth = juce::jmin((int) (0.21 * inner.getWidth()), inner.getWidth());
    modKnobs.setBounds(inner.removeFromRight(pairWidth));
    inner.removeFromRight(juce::jmax(2, (int) (0.33 * pairWidth)));
    captionLabel.setBounds(inner.removeFromTop((int) (0.45 * inner.getHeight())));
    inner.removeFromTop(juce::jmin(2, inner.getHeight()));
    valueBox.setBounds(inner);
}

void SEQ1CtrlPanel_StrtSizeBox::colorMapping()
{
    const auto entry = [this](int e) { return colorTheme->entry(e, skinMode); };
    baseColor = entry(31);
    auto accent = entry(47);
    int kind = 0;
    if (auto* unit = findParentComponentOfClass<ZuCenterUnitPanelBase>())
        kind = unit->unitType;
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        // The settings keep the colours in the order pitch, parameter, CC,
        // CC rack, octave-transpose.
        const int colourIndex = kind == 3 ? 4 : kind;
        const auto& colours = ZuEditorAccess(editor->processor).getSettings().unitColors;
        if (colourIndex >= 0 && colourIndex < (int) colours.size())
            accent = colours[(size_t) colourIndex];
    }
    captionLabel.getProperties().set("fontsize", 0.99);
    captionLabel.setColour(juce::Label::backgroundColourId, baseColor);
    captionLabel.setColour(juce::Label::textColourId, entry(36));
    valueBox.setColour(juce::Slider::backgroundColourId, baseColor);
    valueBox.setColour(juce::Slider::textBoxBackgroundColourId, entry(39));
    valueBox.setColour(juce::Slider::textBoxTextColourId, entry(11));
    valueBox.setColour(juce::Slider::trackColourId, accent.withAlpha(0.2f));
    valueBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff585858));
    modKnobs.setBgColor(baseColor);
    modKnobs.setThumbColor(entry(35));
    repaint();
}

SEQ1ArrowButton::SEQ1ArrowButton()
{
    const auto entry = [this](int e) { return colorTheme->entry(e, skinMode); };
    for (int i = 0; i < 4; ++i)
    {
        auto& button = arrowButtons[(size_t) i];
        addAndMakeVisible(button);
        button.setLookAndFeel(&arrowLook.get());
        button.getProperties().set("fontsize", 0.8);
        button.getProperties().set("outlinecolor", juce::Colour(0xff505050).toString());
        button.getProperties().set("bgcolor", entry(1).toString());
        button.setColour(juce::TextButton::buttonOnColourId, entry(4));
        button.setColour(juce::TextButton::buttonColourId, entry(1));
        button.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff303030));
        button.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff000000));
        button.setTooltip("Shift the target step values");
        button.setButtonText(arrowTexts[i]);
        button.getProperties().set("index", i);
        button.setRepeatSpeed(350, 150, -1);
        button.onClick = [this, i] { shiftClicked(i); };
    }
    arrowButtons[0].setConnectedEdges(juce::Button::ConnectedOnRight);
    arrowButtons[1].setConnectedEdges(juce::Button::ConnectedOnLeft);
    arrowButtons[2].setConnectedEdges(juce::Button::ConnectedOnBottom);
    arrowButtons[3].setConnectedEdges(juce::Button::ConnectedOnTop);
}

SEQ1ArrowButton::~SEQ1ArrowButton()
{
    for (auto& button : arrowButtons)
        button.setLookAndFeel(nullptr);
}

void SEQ1ArrowButton::shiftClicked(int direction)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr || !isCenter)
        return;
    ZuEditorAccess(editor->processor).shiftCenterSqParams(unitType, unitIndex, direction);
}

void SEQ1ArrowButton::setCenterFlag(int type, int index)
{
    unitType = type;
    unitIndex = index;
    isCenter = true;
    const auto entry = [this](int e) { return colorTheme->entry(e, skinMode); };
    for (auto& button : arrowButtons)
    {
        button.getProperties().set("bgcolor", entry(2).toString());
        button.getProperties().set("outlinecolor", entry(23).withAlpha(0.9f).toString());
        button.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
        button.setColour(juce::TextButton::buttonColourId, entry(2));
        button.setColour(juce::TextButton::textColourOffId, entry(38));
        button.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    }
}

void SEQ1ArrowButton::colorMapping()
{
    const auto entry = [this](int e) { return colorTheme->entry(e, skinMode); };
    baseColor = entry(31);
    for (auto& button : arrowButtons)
    {
        button.getProperties().set("bgcolor", baseColor.toString());
        button.getProperties().set("outlinecolor", entry(23).withAlpha(0.9f).toString());
        button.setColour(juce::TextButton::buttonOnColourId, entry(45));
        button.setColour(juce::TextButton::buttonColourId, entry(46));
        button.setColour(juce::TextButton::textColourOffId, entry(44));
        button.setColour(juce::TextButton::textColourOnId, entry(43));
    }
    repaint();
}

void SEQ1ArrowButton::resized()
{
    const int x = 0, y = 0;
    const int w = juce::jmax(0, getWidth() - 2), h = juce::jmax(0, getHeight() - 2);
    const int a = juce::jmin((int) (0.33 * w), w);
    const int b = juce::jmin(a, w - a);
    const int m = w - a - b;
    const int u = juce::jmin((int) (0.5 * h), h);
    const int l = h - u;
    arrowButtons[0].setBounds(x + 1, y + 1, juce::jmax(0, a - 1), h);
    arrowButtons[1].setBounds(x + 2 + w - b, y + 1, juce::jmax(0, b - 1), h);
    arrowButtons[2].setBounds(x + 1 + a, y + 1, m, juce::jmax(0, u - 1));
    arrowButtons[3].setBounds(x + 1 + a, y + 2 + u, m, juce::jmax(0, l - 1));
}

ResetKnob::ResetKnob()
{
    setTooltip("Sets the reset count. After this count, the sequencer will re-start from the start step");
}

void ResetKnob::mouseDown(const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
        return;
    openResetCountWndw();
}

void ResetKnob::mouseUp(const juce::MouseEvent& e)
{
    juce::Slider::mouseUp(e);
}

double ResetKnob::clampedCount(float v)
{
    if (!std::isfinite(v) || v < 0.0f)
        return 0.0;
    if (v >= (float) maxResetCount)
        return maxResetCount;
    return (double) v;
}

void ResetKnob::setResultOfTextEditor(float v)
{
    setValue(clampedCount(v), juce::sendNotificationSync);
}

void ResetKnob::openResetCountWndw()
{
    const auto background = theme->entry(3, skinIndex);
    auto window = std::make_unique<ZuResetCountWndw>("Enter the reset count (0~1024)", background,
                                                     juce::Colour(0xffdddddd), *this);
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    const int height = editor->getHeight();
    window->setSize((int) (0.2 * height), (int) (0.09 * height));
    auto& entry = window->editor;
    auto& box = launchZuCallOutOnDesktop(std::move(window), getScreenBounds());
    box.setAlwaysOnTop(true);
    box.setColour(juce::BubbleComponent::backgroundColourId, theme->entry(3, 0));
    // Ready for typing at once.
    if (entry.isShowing())
        entry.grabKeyboardFocus();
}

ZuResetCountWndw::ZuResetCountWndw(const juce::String& t, juce::Colour bg, juce::Colour tc, ResetKnob& knob)
    : text(t), background(bg), textColour(tc), editor({}, 0), owner(&knob)
{
    addAndMakeVisible(editor);
    editor.setColour(juce::TextEditor::textColourId, textColour);
    editor.setColour(juce::TextEditor::backgroundColourId, background.brighter(0.1f));
    editor.setColour(juce::TextEditor::outlineColourId, background.brighter(0.15f));
    editor.onReturnKey = [this] { commit(); };
}

void ZuResetCountWndw::dismiss()
{
    if (auto* box = findParentComponentOfClass<juce::CallOutBox>())
        box->dismiss();
}

void ZuResetCountWndw::commit()
{
    const auto entered = editor.getText();
    if (entered.isNotEmpty())
        if (auto* knob = owner.getComponent())
            knob->setResultOfTextEditor(entered.getFloatValue());
    dismiss();
}

void ZuResetCountWndw::resized()
{
    const int x = 0, y = 0, W = getWidth(), H = getHeight();
    const int mx = (int) (0.03 * W), my = (int) (0.11 * H);
    const int ix = x + mx, iy = y + my, iw = juce::jmax(0, W - 2 * mx), ih = juce::jmax(0, H - 2 * my);
    const int t = juce::jmin((int) (0.38 * ih), ih);
    textArea = {(float) ix, (float) iy, (float) iw, (float) t - juce::jmin(0.2f * (float) t, (float) t)};
    const int r = ih - t;
    const int e = juce::jmin((int) (0.95 * r), r);
    const int f = juce::jmin((int) (0.15 * e), e);
    const int v = (int) (0.09 * (e - f));
    const int hm = (int) (0.2 * iw);
    editorArea = {ix + hm, iy + ih - e + f + v, juce::jmax(0, iw - 2 * hm), juce::jmax(0, e - f - 2 * v)};
    editor.setBounds(editorArea);
}

void ZuResetCountWndw::paint(juce::Graphics& g)
{
    g.fillAll(background);
    const juce::Font font("Medium", 0.85f * textArea.getHeight(), juce::Font::bold);
    juce::GlyphArrangement glyphs;
    glyphs.addFittedText(font, text, textArea.getX(), textArea.getY(), textArea.getWidth(), textArea.getHeight(),
                         juce::Justification::centred, 1, 0.5f);
    juce::Path path;
    glyphs.createPath(path);
    g.setColour(textColour.withAlpha(0.8f));
    g.fillPath(path);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterCtrlPanel_SetAll.h"

#include "ZuConvert.h"
#include "ZuEditorAccess.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>
#include <vector>

namespace
{
enum class ValueText
{
    note,
    relativeNote,
    octave,
    whole,
    onOff,
    decimal,
    controller,
    transpose
};

// One value box of a unit type: its range, its double-click value (also the
// processor's tree default) and how its value reads.
struct SliderRow
{
    double min, max;
    bool continuous;
    double defaultValue;
    ValueText text;
};

struct UnitTable
{
    std::vector<const char*> items;
    std::vector<SliderRow> sliders;
};

const UnitTable& tableOf(int unitType)
{
    static const std::array<UnitTable, 4> tables{{
        {{"Note", "Oct", "Velo", "Gate", "Prob", "Slur", "OnOff", "All"},
         {{0, 12, false, 0, ValueText::note},
          {0, 4, false, 2, ValueText::octave},
          {0, 127, false, 100, ValueText::whole},
          {0, 100, false, 50, ValueText::whole},
          {0, 100, false, 100, ValueText::whole},
          {0, 1, false, 0, ValueText::onOff},
          {0, 1, false, 1, ValueText::onOff},
          {-12, 12, false, 0, ValueText::relativeNote}}},
        {{"Knob", "Prob", "OnOff", "All"},
         {{0, 1, true, 0, ValueText::decimal},
          {0, 100, false, 100, ValueText::whole},
          {0, 1, false, 1, ValueText::onOff}}},
        {{"Knob", "Prob", "OnOff", "All"},
         {{0, 1, true, 0, ValueText::controller},
          {0, 100, false, 100, ValueText::whole},
          {0, 1, false, 1, ValueText::onOff}}},
        {{"TP", "Oct", "Prob", "OnOff", "All"},
         {{-12, 12, false, 0, ValueText::transpose},
          {0, 4, false, 2, ValueText::octave},
          {0, 100, false, 100, ValueText::whole},
          {0, 1, false, 1, ValueText::onOff}}},
    }};
    static const UnitTable none;
    return unitType >= 0 && unitType < (int) tables.size() ? tables[(size_t) unitType] : none;
}

juce::String wholeText(double v)
{
    return juce::String(zu::toIntSaturating(std::floor(zu::finiteOr(v, 0.0))));
}

juce::String signedWhole(double v, double zero, const char* unit)
{
    return (v > zero ? "+" : "") + wholeText(v - zero) + unit;
}

const juce::String tooltipOfSliders =
    "Changes the target step values at once in the range of defined by Start/Size parameters";
} // namespace

int CenterCtrlPanel_SetAll::numSliders(int type) noexcept
{
    return (int) tableOf(type).sliders.size();
}

int CenterCtrlPanel_SetAll::numTargets(int type) noexcept
{
    return (int) tableOf(type).items.size();
}

CenterCtrlPanel_SetAll::CenterCtrlPanel_SetAll(int type, int unitInstance, juce::ValueTree tree)
    : unitType(type), instance(unitInstance), stem(zu::units::editorKeyStem(type, unitInstance)),
      targetKey(stem.isEmpty() ? juce::Identifier("c_setall_tar") : juce::Identifier(stem + "_setall_tar")),
      guiTree(tree)
{
    const auto entry = [this](int e) { return colorTheme->entry(e, skinIndex); };
    baseColor = entry(31);
    addAndMakeVisible(arrows);
    arrows.setCenterFlag(unitType, instance);

    const char* captionTexts[] = {"Target", "Value"};
    for (size_t i = 0; i < captions.size(); ++i)
    {
        auto& caption = captions[i];
        addAndMakeVisible(caption);
        caption.setLookAndFeel(&captionLook.get());
        caption.setText(captionTexts[i], juce::dontSendNotification);
        caption.setJustificationType(juce::Justification::centred);
        caption.setEditable(false, false, false);
        caption.setColour(juce::Label::backgroundColourId, baseColor);
        caption.setColour(juce::Label::textColourId, juce::Colour(0xffa0a0a0));
        caption.getProperties().set("fontsize", 0.96);
        caption.getProperties().set("fontface", "Regular");
    }

    const auto& table = tableOf(unitType);
    addAndMakeVisible(targetMenu);
    targetMenu.setLookAndFeel(&menuLook.get());
    targetMenu.getProperties().set("fontsize", 0.55);
    targetMenu.getProperties().set("corner", 2.0);
    targetMenu.getProperties().set("bgcolor", baseColor.toString());
    targetMenu.setColour(juce::ComboBox::backgroundColourId, baseColor);
    targetMenu.setColour(juce::ComboBox::outlineColourId, juce::Colour(0xff606060));
    targetMenu.setColour(juce::ComboBox::textColourId, juce::Colour(0xffc0c0c0));
    targetMenu.setColour(juce::ComboBox::arrowColourId, juce::Colour(0xffa0a0a0));
    targetMenu.setTooltip("Sets the setall target parameter");
    for (size_t i = 0; i < table.items.size(); ++i)
        targetMenu.addItem(table.items[i], (int) i + 1);
    if (!table.items.empty())
    {
        const int stored = zu::readIntProperty(guiTree, targetKey, 0);
        targetMenu.setSelectedItemIndex(juce::jlimit(0, (int) table.items.size() - 1, stored),
                                        juce::dontSendNotification);
    }
    targetMenu.onChange = [this] { tarMenuChanged(); };

    for (auto& slider : sliders)
    {
        addAndMakeVisible(slider);
        slider.setName({});
        slider.setLookAndFeel(&boxLook.get());
        slider.setTooltip(tooltipOfSliders);
        slider.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
        slider.setVelocityModeParameters(1.0, 1, colorTheme->dragValue(0), true,
                                         juce::ModifierKeys::ctrlAltCommandModifiers);
        slider.getProperties().set("barflag", 0);
        slider.getProperties().set("fontsize", 0.7);
        slider.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
        slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
        slider.setColour(juce::Slider::backgroundColourId, baseColor);
        slider.setColour(juce::Slider::textBoxBackgroundColourId, baseColor);
        slider.setColour(juce::Slider::textBoxTextColourId, entry(38));
        slider.setColour(juce::Slider::trackColourId, entry(47).withAlpha(0.4f));
        slider.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
        slider.setVisible(false);
    }

    for (size_t k = 0; k < table.sliders.size(); ++k)
    {
        const auto& row = table.sliders[k];
        auto& slider = sliders[k];
        slider.setRange(row.min, row.max, row.continuous ? 0.0 : 1.0);
        slider.setDoubleClickReturnValue(true, row.defaultValue, juce::ModifierKeys::altModifier);
        switch (row.text)
        {
        case ValueText::note:
            slider.textFromValueFunction = [this](double v)
            {
                return dispShare->noteNames[(size_t) juce::jlimit(0, DispShareData::numNoteNames - 1,
                                                                  zu::toIntSaturating(zu::finiteOr(v, 0.0)))];
            };
            break;
        case ValueText::relativeNote:
            slider.textFromValueFunction = [](double v)
            { return (v > 0.0 ? "+" : "") + juce::String(zu::toIntSaturating(v)) + " st"; };
            break;
        case ValueText::octave:
            slider.textFromValueFunction = [](double v) { return signedWhole(v, 2.0, " oct"); };
            break;
        case ValueText::whole:
            slider.textFromValueFunction = [](double v) { return wholeText(v); };
            break;
        case ValueText::onOff:
            slider.textFromValueFunction = [](double v) { return juce::String(v > 0.0 ? "On" : "Off"); };
            break;
        case ValueText::decimal:
            slider.textFromValueFunction = [this](double v)
            { return dispShare->getParamSeqString(0, false, (float) v); };
            break;
        case ValueText::controller:
            slider.textFromValueFunction = [](double v) { return wholeText(127.0 * v); };
            break;
        case ValueText::transpose:
            slider.textFromValueFunction = [](double v) { return wholeText(v) + "st"; };
            break;
        }
        const double stored = zu::readFloatProperty(guiTree, valueKey((int) k), 0.0f);
        slider.setValue(juce::jlimit(row.min, row.max, stored), juce::dontSendNotification);
        slider.updateText();
        slider.onValueChange = [this] { startTimer(0, 10); };
    }

    juce::Timer::callAfterDelay(500,
                                [safe = juce::Component::SafePointer<CenterCtrlPanel_SetAll>(this)]
                                {
                                    if (safe != nullptr)
                                        safe->tarMenuChanged();
                                });
}

CenterCtrlPanel_SetAll::~CenterCtrlPanel_SetAll()
{
    stopTimer(0);
    for (auto& caption : captions)
        caption.setLookAndFeel(nullptr);
    targetMenu.setLookAndFeel(nullptr);
    for (auto& slider : sliders)
        slider.setLookAndFeel(nullptr);
}

juce::Identifier CenterCtrlPanel_SetAll::valueKey(int sliderIndex) const
{
    return juce::Identifier(stem + "_setall_val" + juce::String(sliderIndex + 1));
}

bool CenterCtrlPanel_SetAll::isInRelativeMode() const
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (unitType != zu::units::pitch || enclosingUnitKind(*this) != zu::units::pitch || editor == nullptr)
        return false;
    // The unit's relative-mode toggle is bound to this property of its data
    // tree, so the tree answers for the toggle.
    const auto unitNode = ZuEditorAccess(editor->processor)
                              .getParamTree()
                              .getChildWithName("seqmain")
                              .getChildWithName(zu::units::nodeName(unitType, instance));
    return zu::toFlag(zu::readFloatProperty(unitNode, zu::units::unitKey(unitType, instance, "relmode"), 0.0f));
}

void CenterCtrlPanel_SetAll::showOnly(int sliderIndex)
{
    if (sliderIndex >= 0 && sliderIndex < (int) sliders.size())
        sliders[(size_t) sliderIndex].setVisible(true);
}

void CenterCtrlPanel_SetAll::tarMenuChanged()
{
    const int index = targetMenu.getSelectedItemIndex();
    guiTree.setProperty(targetKey, index, nullptr);
    for (auto& slider : sliders)
        slider.setVisible(false);

    // The last target, "All", has no value box: it only steers the arrows.
    const int allIndex = numTargets(unitType) - 1;
    if (index >= allIndex)
        return;
    if (unitType == zu::units::pitch)
    {
        if (index >= 1)
            showOnly(index);
        else if (enclosingUnitKind(*this) == zu::units::pitch)
            showOnly(isInRelativeMode() ? relativeNoteSlider : 0);
        return;
    }
    const int shown = juce::jmax(index, 0);
    showOnly(shown);
    if (unitType == zu::units::param && shown == 0 && enclosingUnitKind(*this) == zu::units::param)
    {
        auto& knob = sliders[0];
        knob.setRange(0.0, 1.0, 0.0);
        knob.setDoubleClickReturnValue(true, 0.0, juce::ModifierKeys::altModifier);
        knob.textFromValueFunction = [this](double v) { return dispShare->getParamSeqString(0, false, (float) v); };
        knob.updateText();
    }
}

void CenterCtrlPanel_SetAll::timerCallback(int timerId)
{
    if (timerId != 0)
        return;
    stopTimer(0);
    const int index = targetMenu.getSelectedItemIndex();
    // A value box changes only while it shows, so a change always belongs to
    // a value target; "All" and no selection take no value.
    if (index >= numTargets(unitType) - 1)
        return;
    int slider = juce::jlimit(0, 6, index);
    if (slider >= numSliders(unitType))
        return;
    float value = (float) sliders[(size_t) slider].getValue();

    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    if (index <= 0 && isInRelativeMode())
    {
        slider = relativeNoteSlider;
        value = (float) sliders[(size_t) slider].getValue();
    }
    ZuEditorAccess(editor->processor).setAllCenterSqParams(unitType, instance, slider, value);
    guiTree.setProperty(valueKey(slider), (double) value, nullptr);
}

void CenterCtrlPanel_SetAll::setSkinMode(int skin, juce::Colour unitColour)
{
    skinIndex = skin;
    arrows.setSkinMode(skin);
    const auto entry = [this](int e) { return colorTheme->entry(e, skinIndex); };
    baseColor = entry(31);
    for (auto& caption : captions)
        caption.setColour(juce::Label::backgroundColourId, baseColor);
    targetMenu.getProperties().set("bgcolor", baseColor.toString());
    targetMenu.setColour(juce::ComboBox::backgroundColourId, baseColor.darker(0.2f));
    targetMenu.setColour(juce::ComboBox::outlineColourId, juce::Colour(0xff606060));
    targetMenu.setColour(juce::ComboBox::textColourId, juce::Colour(0xffc3c3c3));
    targetMenu.setColour(juce::ComboBox::arrowColourId, juce::Colour(0xffa0a0a0));
    for (auto& slider : sliders)
    {
        slider.setColour(juce::Slider::backgroundColourId, baseColor);
        slider.setColour(juce::Slider::textBoxBackgroundColourId, entry(39));
        slider.setColour(juce::Slider::textBoxTextColourId, entry(11));
        slider.setColour(juce::Slider::trackColourId, unitColour.withAlpha(0.2f));
        slider.setColour(juce::Slider::textBoxOutlineColourId, entry(37));
    }
    repaint();
}

void CenterCtrlPanel_SetAll::parentHierarchyChanged()
{
    tarMenuChanged();
}

void CenterCtrlPanel_SetAll::resized()
{
    auto area = getLocalBounds().reduced(juce::jmax(2, (int) (0.04 * getWidth())), 1);
    arrows.setBounds(area.removeFromRight(juce::jmin(area.getWidth(), (int) (1.3 * area.getHeight()))));
    area.removeFromRight(juce::jmin(juce::jmax(2, (int) (0.2 * arrows.getWidth())), area.getWidth()));

    auto rest = area.reduced(1);
    auto left = rest.removeFromLeft((int) (0.45 * rest.getWidth()));
    auto leftTop = left.removeFromTop((int) (0.49 * left.getHeight()));
    captions[0].setBounds(leftTop.withTrimmedBottom(1));
    targetMenu.setBounds(left);

    auto right = rest.removeFromRight((int) (0.86 * rest.getWidth()));
    auto rightTop = right.removeFromTop((int) (0.49 * right.getHeight()));
    captions[1].setBounds(rightTop.withTrimmedBottom(1));
    for (auto& slider : sliders)
        slider.setBounds(right);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterPitchSeqPanel.h"

#include "ZuEditorAccess.h"
#include "ZuMirabox_CenterPanelMain.h"
#include "ZuUnitKindColours.h"
#include "ZuUnitPanelSupport.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

namespace
{
int T(float v)
{
    return (int) v;
}

juce::Rectangle<int> box(int x, int y, int w, int h)
{
    return {x, y, juce::jmax(0, w), juce::jmax(0, h)};
}

const juce::Colour toggleTextOff{0xff787878};
const juce::Colour toggleTextOn{0xff202020};
} // namespace

ZuMirabox_CenterPitchSeqPanel::ZuMirabox_CenterPitchSeqPanel(int index, juce::ValueTree gui, juce::ValueTree modTree,
                                                             juce::Colour colour, MirabelGlobalData& globalData,
                                                             ScaleData& scale, ChordData& chord, CtrPtchSqData&,
                                                             LfoData& lfoData)
    : ZuCenterUnitPanelBase(colour, true),
      ctrlPanel1(juce::jlimit(0, zu::units::unitsOfKind[zu::units::pitch] - 1, index), *this),
      ctrlPanel2(zu::units::pitch, juce::jlimit(0, zu::units::unitsOfKind[zu::units::pitch] - 1, index), gui),
      page1(*this, index, globalData), page2(*this, index, globalData),
      modPanel(modTree, lfoData, zu::units::pitch, index), guiTree(gui), unitModTree(modTree), scaleData(scale),
      chordData(chord)
{
    unitType = zu::units::pitch;
    unitIndex = juce::jlimit(0, zu::units::unitsOfKind[zu::units::pitch] - 1, index);
    unitId = zu::units::unitIdOf(zu::units::pitch, unitIndex);
    powerButton.getProperties().set("uniti", unitIndex);

    panelColor = colorTheme->entry(31, skinMode);
    unitColor = colorTheme->entry(47, 0);
    darkUnitColor = unitColor.darker(0.4f);
    headerColor = darkUnitColor;
    minimizedHeaderColor = colorTheme->single(0);
    shortName = "P-SEQ " + juce::String(unitIndex + 1);
    longName = "Pitch Sequencer " + juce::String(unitIndex + 1);

    nameLabel.setText(shortName, juce::dontSendNotification);
    zu::unitpanel::bindHeaderLabel(*this, guiTree);

    pageTabs.setOutline(0);
    pageTabs.setTabBarDepth(0);
    pageTabs.addTab("Step 1~16", juce::Colours::transparentBlack, &page1, false);
    pageTabs.addTab("Step 17~32", juce::Colours::transparentBlack, &page2, false);
    addAndMakeVisible(pageTabs);

    addAndMakeVisible(snapButton);
    snapButton.setVerFlag();
    addAndMakeVisible(ctrlPanel1);
    addChildComponent(ctrlPanel2);
    addChildComponent(modPanel);
    ctrlPanel1.onRelativeModeChanged = [this](bool) { relModeButtonClicked(); };
    ctrlPanel1.onStepRangeChanged = [this] { stepStrtSizeChanged(); };

    setUpToggle(stepPageButton, "", "Switch the step page (1~16/17~32)", pageButtonLook.get());
    stepPageButton.getProperties().set("fontsize", 1.4);
    for (auto* vgp : {&vgpButtonLeft, &vgpButtonRight})
        setUpToggle(*vgp, "V/G/P", "Shows the edit panel for velocity, gate and probability", vgpLook.get());
    vgpButtonLeft.onClick = [this]
    {
        vgpButtonRight.setToggleState(vgpButtonLeft.getToggleState(), juce::dontSendNotification);
        vgpButtonClicked();
    };
    vgpButtonRight.onClick = [this]
    {
        vgpButtonLeft.setToggleState(vgpButtonRight.getToggleState(), juce::dontSendNotification);
        vgpButtonClicked();
    };

    addAndMakeVisible(ctrlPageButton);
    ctrlPageButton.setButtonText("R");
    ctrlPageButton.setLookAndFeel(&ctrlPageLook.get());
    ctrlPageButton.setTooltip("Switches between the two control pages (clock, range and mode / set all and randomize)");
    ctrlPageButton.setClickingTogglesState(true);
    ctrlPageButton.getProperties().set("bgcolor", panelColor.toString());
    ctrlPageButton.setColour(juce::TextButton::buttonOnColourId, unitColor);
    ctrlPageButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff3a3a3a));
    ctrlPageButton.setColour(juce::TextButton::textColourOffId, panelColor);
    ctrlPageButton.setColour(juce::TextButton::textColourOnId, panelColor);
    const auto tabKey = juce::Identifier(zu::units::controlPageKey(zu::units::pitch, unitIndex));
    ctrlPageButton.setToggleState(guiTree.getProperty(tabKey, 0).toString().getIntValue() == 1,
                                  juce::dontSendNotification);
    ctrlPageButton.onClick = [this, tabKey]
    {
        ctrlPageButtonClicked();
        guiTree.setProperty(tabKey, ctrlPageButton.getToggleState() ? 1 : 0, nullptr);
    };

    relModeButtonClicked();
    addAndMakeVisible(background);
    background.toBack();
}

ZuMirabox_CenterPitchSeqPanel::~ZuMirabox_CenterPitchSeqPanel()
{
    stepPageButton.getToggleStateValue().removeListener(this);
    vgpButtonLeft.getToggleStateValue().removeListener(this);
    for (auto* button : {&stepPageButton, &vgpButtonLeft, &vgpButtonRight, &ctrlPageButton})
        button->setLookAndFeel(nullptr);
    // The pages belong to this panel, not to the tab component.
    pageTabs.clearTabs();
}

void ZuMirabox_CenterPitchSeqPanel::setUpToggle(juce::TextButton& button, const juce::String& text,
                                                const juce::String& tooltip, juce::LookAndFeel& look)
{
    addAndMakeVisible(button);
    button.setButtonText(text);
    button.setLookAndFeel(&look);
    button.setClickingTogglesState(true);
    button.setTooltip(tooltip);
    button.getProperties().set("fontsize", 1.25);
    button.getProperties().set("bgcolor", panelColor.toString());
    button.getProperties().set("outlinecolor", juce::Colour(0x00505050).toString());
    button.setColour(juce::TextButton::buttonOnColourId, unitColor.darker(0.1f));
    button.setColour(juce::TextButton::buttonColourId, panelColor);
    button.setColour(juce::TextButton::textColourOffId, toggleTextOff);
    button.setColour(juce::TextButton::textColourOnId, toggleTextOn);
}

CenterPitchSeq_StepUnit& ZuMirabox_CenterPitchSeqPanel::getStep(int step)
{
    const int s = juce::jlimit(0, zu::units::numSteps - 1, step);
    return getPage(s / CenterPitchSeq_PageUnit::numStepsPerPage).getStep(s % CenterPitchSeq_PageUnit::numStepsPerPage);
}

void ZuMirabox_CenterPitchSeqPanel::applyToSteps(const std::function<void(CenterPitchSeq_StepUnit&)>& fn)
{
    for (int s = 0; s < zu::units::numSteps; ++s)
        fn(getStep(s));
}

bool ZuMirabox_CenterPitchSeqPanel::isRelativeMode() const
{
    return ctrlPanel1.relModeButton.getToggleState();
}

//==============================================================================
void ZuMirabox_CenterPitchSeqPanel::paint(juce::Graphics& g)
{
    dDFocusPaint(g);
}

void ZuMirabox_CenterPitchSeqPanel::initialize()
{
    zu::unitpanel::initializeFrame(*this);
}

void ZuMirabox_CenterPitchSeqPanel::setAttachments(juce::AudioProcessorValueTreeState& state)
{
    const auto prefix = zu::units::unitPrefix(unitId);
    setPowerButtonAttach(state, prefix + "pwr");
    onoffButtonStateChange(powerButton.getToggleState());
    snapButton.setAttachment(unitId, state, prefix + "snp");
    ctrlPanel1.setAttachment(state);
    ctrlPageButtonClicked();
    stepPageButtonClicked();
    snapshotChanged();
}

void ZuMirabox_CenterPitchSeqPanel::setAttachment(juce::ValueTree tree, juce::String prefix)
{
    unitTree = tree;
    for (int k = 0; k < zu::units::numSteps; ++k)
        getStep(k).setAttachment(tree, prefix, k);
    page1.setPageIndex(0);
    page2.setPageIndex(1);
    ctrlPanel1.setAttachment(tree, prefix);

    ZuParamAttacher::attachToButton(tree, juce::Identifier(prefix + "page"), false, stepPageButton);
    stepPageButton.getToggleStateValue().addListener(this);
    ZuParamAttacher::attachToButton(tree, juce::Identifier(prefix + "vgp"), false, vgpButtonLeft);
    vgpButtonLeft.getToggleStateValue().addListener(this);

    vgpButtonRight.setToggleState(vgpButtonLeft.getToggleState(), juce::dontSendNotification);
    ctrlPageButtonClicked();
    stepPageButtonClicked();
    vgpButtonClicked();
    relModeButtonClicked();
    stepStrtSizeChanged();
}

void ZuMirabox_CenterPitchSeqPanel::onoffButtonStateChange(bool on)
{
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&stepPageButton, &vgpButtonLeft, &vgpButtonRight, &ctrlPageButton,
                                                 &pageTabs, &snapButton, &page1, &page2, &modPanel})
        c->setEnabled(on);
}

void ZuMirabox_CenterPitchSeqPanel::valueChanged(juce::Value&)
{
    ctrlPageButtonClicked();
    stepPageButtonClicked();
    vgpButtonClicked();
    vgpButtonRight.setToggleState(vgpButtonLeft.getToggleState(), juce::dontSendNotification);
}

void ZuMirabox_CenterPitchSeqPanel::stepPageButtonClicked()
{
    if (isMinimised())
    {
        pageTabs.setVisible(false);
        return;
    }
    pageTabs.setVisible(true);
    const int tab = stepPageButton.getToggleState() ? 1 : 0;
    pageTabs.setCurrentTabIndex(tab, true);
    auto& shown = getPage(tab);
    if (laidOut && shown.getWidth() > 0)
        shown.panelExtendChanged();
}

void ZuMirabox_CenterPitchSeqPanel::ctrlPageButtonClicked()
{
    if (isExpanded())
    {
        ctrlPanel1.setVisible(true);
        ctrlPanel2.setVisible(true);
        return;
    }
    ctrlPanel1.setVisible(!ctrlPageButton.getToggleState());
    ctrlPanel2.setVisible(ctrlPageButton.getToggleState());
}

void ZuMirabox_CenterPitchSeqPanel::vgpButtonClicked()
{
    const bool on = vgpButtonLeft.getToggleState();
    applyToSteps([on](CenterPitchSeq_StepUnit& step) { step.vgpButtonClicked(on); });
}

void ZuMirabox_CenterPitchSeqPanel::relModeButtonClicked()
{
    const bool relative = isRelativeMode();
    applyToSteps([relative](CenterPitchSeq_StepUnit& step) { step.setRelMode(relative); });
    ctrlPanel2.setAllPanel.tarMenuChanged();
}

void ZuMirabox_CenterPitchSeqPanel::stepStrtSizeChanged()
{
    const auto toInt = [](double v) { return std::isfinite(v) ? (int) juce::jlimit(-1.0e6, 1.0e6, v) : 0; };
    const int start = juce::jmax(0, toInt(ctrlPanel1.strtBox.valueBox.getValue()) - 1);
    const int count = juce::jmax(1, toInt(ctrlPanel1.sizeBox.valueBox.getValue()));
    page1.setStepRange(start, count);
    page2.setStepRange(start, count);
}

void ZuMirabox_CenterPitchSeqPanel::snapshotChanged()
{
    currentSnapshot = juce::jlimit(0, 7, (int) snapButton.getHiddenSlider().getValue());
}

//==============================================================================
bool ZuMirabox_CenterPitchSeqPanel::isChordTarget() const
{
    return chordData.chordPower && unitIndex >= 0 && unitIndex < (int) chordData.chordTargets.size() &&
           chordData.chordTargets[(size_t) unitIndex];
}

void ZuMirabox_CenterPitchSeqPanel::setNoteNames(CenterPitchSeq_StepUnit::NoteNames& names)
{
    page1.setDispNoteList(names);
    page2.setDispNoteList(names);
}

void ZuMirabox_CenterPitchSeqPanel::scaleParamChanged()
{
    if (isChordTarget())
        return;
    CenterPitchSeq_StepUnit::NoteNames names;
    const bool scaleTarget =
        unitIndex >= 0 && unitIndex < (int) scaleData.scaleTargets.size() && scaleData.scaleTargets[(size_t) unitIndex];
    for (int v = 0; v < CenterPitchSeq_StepUnit::numNoteNames; ++v)
        names[(size_t) v] = scaleTarget ? scaleData.getScaledDispNoteString(v) : dispShare->noteNames[(size_t) v];
    setNoteNames(names);
}

void ZuMirabox_CenterPitchSeqPanel::chordParamChanged()
{
    if (!isChordTarget())
    {
        scaleParamChanged();
        return;
    }
    CenterPitchSeq_StepUnit::NoteNames names;
    for (int v = 0; v < CenterPitchSeq_StepUnit::numNoteNames; ++v)
        names[(size_t) v] = chordData.chordDisplayNames[(size_t) v];
    setNoteNames(names);
}

void ZuMirabox_CenterPitchSeqPanel::getPresetFolderPath()
{
    zu::unitpanel::copyPresetFolder(*this);
}

juce::XmlElement ZuMirabox_CenterPitchSeqPanel::getXmlStateForSaveingPreset(const juce::String& name)
{
    return zu::unitpanel::unitPresetXml(*this, name);
}

//==============================================================================
void ZuMirabox_CenterPitchSeqPanel::resized()
{
    resizeGlobalStuff();
    placeMenuButton();
    background.setBounds(getLocalBounds());
    ctrlPageButton.setVisible(!isMinimised());
    snapSeparatorPath.clear();
    ctrlSeparatorPath.clear();

    if (isMinimised())
    {
        for (juce::Component* c : std::initializer_list<juce::Component*>{&snapButton, &modPanel, &stepPageButton,
                                                                          &vgpButtonLeft, &vgpButtonRight})
            c->setVisible(false);
        ctrlPanel1.setVisible(false);
        ctrlPanel2.setVisible(false);
    }
    else
    {
        const bool expanded = isExpanded();
        const bool modShown = modButton.getToggleState();
        ctrlPanel1.expanded = expanded;
        modPanel.setVisible(modShown);
        if (modShown)
            modPanel.setBounds(modArea);
        snapButton.setVisible(true);
        for (auto* c : {&vgpButtonLeft, &vgpButtonRight, &ctrlPageButton})
            c->setVisible(!expanded);
        stepPageButton.setVisible(true);
        ctrlPageButtonClicked();
        layoutStepArea(contentArea, expanded);
        layoutControlArea(nameArea, expanded);
    }

    stepPageButtonClicked();
    updateDrawable();
    laidOut = true;
}

void ZuMirabox_CenterPitchSeqPanel::layoutStepArea(juce::Rectangle<int> area, bool expanded)
{
    const int h0 = area.getHeight();
    area.removeFromTop(juce::jlimit(2, 8, T((float) h0 * (expanded ? 0.025f : 0.04f))));
    area.removeFromLeft(juce::jmin(2, area.getWidth()));
    if (expanded)
        area.removeFromBottom(juce::jlimit(1, 10, T((float) area.getHeight() * 0.015f)));

    const int h = area.getHeight();
    const int s = juce::jmin(h, juce::jmax(4, T((float) h * (expanded ? 0.06f : 0.128f))));
    const int t = s - juce::jlimit(2, 8, T((float) s * (expanded ? 0.1f : 0.2f)));
    const auto strip = area.removeFromBottom(s);
    if (!modButton.getToggleState())
        nameDividerPath.addRectangle((float) strip.getX(), (float) strip.getY(), (float) strip.getWidth(), 0.5f);

    const int a = T((float) area.getWidth() * 0.09f);
    const int inset = T((float) a * 0.12f);
    const int leftOffset = juce::jmin(t, 2);
    const int otherOffset = expanded ? juce::jlimit(1, 4, T((float) t * 0.1f)) : leftOffset;
    const int rightSlotX = strip.getRight() - 2 - a;
    const int middleX = strip.getX() + a + 2;
    const int middle = rightSlotX - middleX;

    vgpButtonLeft.setBounds(box(strip.getX() + inset, strip.getY() + leftOffset, a - 2 * inset, t - leftOffset));
    vgpButtonRight.setBounds(box(rightSlotX + inset, strip.getY() + otherOffset, a - 2 * inset, t - otherOffset));
    stepPageButton.setBounds(
        box(middleX, strip.getY() + otherOffset, middle - juce::jmax(2, T((float) middle * 0.1f)), t - otherOffset));

    area.removeFromTop(juce::jmin(1, area.getHeight()));
    area.removeFromBottom(juce::jmin(1, area.getHeight()));
    pageTabs.setBounds(box(area.getX() + 1, area.getY() + 1, area.getWidth() - 2, area.getHeight() - 2));
}

void ZuMirabox_CenterPitchSeqPanel::layoutControlArea(juce::Rectangle<int> area, bool expanded)
{
    const int x = area.getX(), y = area.getY(), w = area.getWidth(), h = area.getHeight();
    const int column = juce::jmin(w, T((float) w * 0.11f));
    const int columnX = x + w - column;
    snapSeparatorPath.addRectangle((float) (columnX - 2), (float) (y + 1), 0.5f, (float) juce::jmax(0, h - 2));
    const int restW = w - column;

    if (!expanded)
    {
        const int snapH = T((float) h * 0.85f);
        snapButton.setBounds(box(columnX, y + 2, column - 2, snapH - 2));
        ctrlPageButton.setBounds(box(columnX, y + snapH + 2, column - 2, (h - 4) - (snapH + 2)));
        ctrlPanel1.setBounds(box(x + 1, y + 1, restW - 2 - 2, h - 2));
        ctrlPanel2.setBounds(ctrlPanel1.getBounds());
        return;
    }

    const int v = T((float) h * 0.18f);
    snapButton.setBounds(box(columnX, y + v, column - 2, h - 2 * v));
    const float f = modButton.getToggleState() ? 0.52f : 0.535f;
    const int ch = T((float) (h - 2) * f);
    ctrlPanel1.setBounds(box(x + 2, y + 1, restW - 4, ch));
    ctrlSeparatorPath.addRectangle((float) (x + 2), (float) (y + 1 + ch), (float) juce::jmax(0, restW - 4), 0.5f);
    const int top = juce::jmin(y + 1 + ch + 2, y + h - 1);
    ctrlPanel2.setBounds(box(x + 2, top, restW - 4, (y + h - 1) - top));
}

//==============================================================================
void ZuMirabox_CenterPitchSeqPanel::updateDrawable()
{
    const auto U = unitColor;
    if (isMinimised())
    {
        juce::Path whole;
        whole.addRoundedRectangle(getLocalBounds().toFloat(), 2.0f);
        std::array<juce::Path, UnitBg::numPaths> paths{whole, {}, {}, {}, {}, {}};
        background.setColors({U.darker(0.4f), U.darker(1.35f), U.darker(0.4f), U.darker(1.35f), U.darker(1.35f),
                              U.darker(1.35f).brighter(0.1f)});
        background.setPathList(paths);
        return;
    }
    std::array<juce::Path, UnitBg::numPaths> paths{outlinePath,       nameDividerPath,   stripPath,
                                                   snapSeparatorPath, ctrlSeparatorPath, outlineStrokePath};
    background.setColors(
        {panelColor, U.darker(1.35f), U.darker(0.4f), U.darker(1.35f), U.darker(1.35f), U.darker(1.35f).darker(0.1f)});
    background.setPathList(paths);
}

void ZuMirabox_CenterPitchSeqPanel::colorMapping()
{
    if (const auto colour = settingsColourOfKind(*this, zu::units::pitch))
    {
        unitColor = *colour;
        minimizedHeaderColor = unitColor.darker(0.6f);
        modPanel.setSkinMode(skinMode, unitColor);
        darkUnitColor = unitColor.darker(0.4f);
    }
    headerColor = darkUnitColor;
    panelColor = colorTheme->entry(31, skinMode);
    background.setBackgroundColour(colorTheme->entry(2, skinMode));
    background.repaint();

    snapButton.setColor(panelColor, colorTheme->entry(37, skinMode), unitColor, panelColor, panelColor,
                        colorTheme->entry(36, skinMode), 1.05f);
    for (auto* page : {&page1, &page2})
        page->setSkinMode(skinMode);
    ctrlPanel1.setSkinMode(skinMode);
    ctrlPanel2.setSkinMode(skinMode, unitColor);
    modPanel.setSkinMode(skinMode, unitColor);

    for (auto* button : {&ctrlPageButton, &vgpButtonLeft, &vgpButtonRight})
    {
        button->getProperties().set("bgcolor", panelColor.toString());
        button->setColour(juce::TextButton::buttonOnColourId, unitColor);
        button->setColour(juce::TextButton::buttonColourId, juce::Colour(0xff606060));
        button->setColour(juce::TextButton::textColourOffId, panelColor);
        button->setColour(juce::TextButton::textColourOnId, panelColor);
    }
    stepPageButton.getProperties().set("bgcolor", panelColor.toString());
    stepPageButton.setColour(juce::TextButton::buttonOnColourId, unitColor);
    stepPageButton.setColour(juce::TextButton::buttonColourId, panelColor.darker(0.15f));
    stepPageButton.setColour(juce::TextButton::textColourOffId, panelColor.brighter(0.4f));
    stepPageButton.setColour(juce::TextButton::textColourOnId, panelColor);

    colorMappingGlobalStuff();
    updateDrawable();
    repaint();
}

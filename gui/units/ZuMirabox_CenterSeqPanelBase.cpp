// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterSeqPanelBase.h"

#include "ZuUnitLayout.h"
#include "ZuConvert.h"
#include "ZuUnitKindColours.h"
#include "ZuUnitPanelSupport.h"
#include "ZuUnits.h"

using zu::unitlayout::box;
using zu::unitlayout::T;

namespace
{
int clampedIndex(int kind, int index)
{
    return juce::jlimit(0, zu::units::unitsOfKind[(size_t) kind] - 1, index);
}
} // namespace

ZuMirabox_CenterSeqPanelBase::ZuMirabox_CenterSeqPanelBase(const Kind& kind, int index, juce::ValueTree gui,
                                                           juce::ValueTree unitModTree, juce::Colour colour,
                                                           MirabelGlobalData& globalData, LfoData& lfoData)
    : ZuCenterUnitPanelCommon(colour, false), kindInfo(kind),
      ctrlPanel2(kind.kind, clampedIndex(kind.kind, index), gui),
      stepLed(kind.kind, clampedIndex(kind.kind, index), globalData),
      modPanel(unitModTree, lfoData, kind.kind, clampedIndex(kind.kind, index)), guiState(gui),
      controlPageKey(zu::units::controlPageKey(kind.kind, clampedIndex(kind.kind, index)))
{
    unitIndex = clampedIndex(kind.kind, index);
    unitType = kind.kind;
    unitId = zu::units::unitIdOf(unitType, unitIndex);
    if (kind.numberOnPowerButton)
        powerButton.getProperties().set("uniti", unitIndex);

    unitColor = colorTheme->entry(kind.colourEntry, 0);
    minimizedHeaderColor = colorTheme->single(kind.deepHeaderSingle);
    headerColor = unitColor.darker(0.4f);
    nameLabel.setText(kind.shortName, juce::dontSendNotification);
    zu::unitpanel::bindHeaderLabel(*this, guiState);
}

juce::String ZuMirabox_CenterSeqPanelBase::numberedName(const char* stem, int kind, int index)
{
    return stem + juce::String(clampedIndex(kind, index) + 1);
}

ZuMirabox_CenterSeqPanelBase::~ZuMirabox_CenterSeqPanelBase()
{
    stepPageButton.getToggleStateValue().removeListener(this);
    stepPageButton.setLookAndFeel(nullptr);
    ctrlPageButton.setLookAndFeel(nullptr);
}

void ZuMirabox_CenterSeqPanelBase::finishConstruction(CenterSeq_CtrlPanel1Base& page,
                                                      std::array<CenterSeq_StepUnitBase*, 32> steps)
{
    ctrlPanel1Page = &page;
    stepUnits = steps;
    page.onStepRangeChanged = [this] { stepStrtSizeChanged(); };

    addAndMakeVisible(stepLed);
    if (kindInfo.fullWidthLight)
        stepLed.setSegmentStyle(false);
    addAndMakeVisible(snapButton);
    snapButton.setVerFlag();

    // The CC and octave-transpose units stack their modulation panel under
    // the control pages.
    if (kindInfo.kind != zu::units::param)
        addChildComponent(modPanel);
    addAndMakeVisible(ctrlTabs);
    ctrlTabs.setOutline(0);
    ctrlTabs.setTabBarDepth(0);
    ctrlTabs.addTab("Ctrl1", juce::Colours::transparentBlack, &page, false);
    ctrlTabs.addTab("Ctrl2", juce::Colours::transparentBlack, &ctrlPanel2, false);

    addAndMakeVisible(stepPageButton);
    stepPageButton.setButtonText({});
    stepPageButton.setTooltip({});
    stepPageButton.setLookAndFeel(&pageButtonLook.get());
    stepPageButton.setClickingTogglesState(true);
    stepPageButton.getProperties().set("fontsize", 1.4);
    stepPageButton.getProperties().set("outlinecolor", juce::Colour(0x00505050).toString());
    stepPageButton.onClick = [this] { stepPageButtonClicked(); };

    for (int k = 0; k < zu::units::numSteps; ++k)
    {
        addAndMakeVisible(getStep(k));
        getStep(k).setStepIndex(k);
    }

    addAndMakeVisible(ctrlPageButton);
    ctrlPageButton.setButtonText("R");
    ctrlPageButton.setLookAndFeel(&ctrlPageButtonLook.get());
    ctrlPageButton.setTooltip("Switch the block page (1~4/5~8)");
    ctrlPageButton.setClickingTogglesState(true);
    ctrlPageButton.setToggleState(guiState.getProperty(controlPageKey, 0).toString().getIntValue() == 1,
                                  juce::dontSendNotification);
    ctrlPageButton.onClick = [this]
    {
        ctrlPageButtonClicked();
        guiState.setProperty(controlPageKey, ctrlPageButton.getToggleState() ? 1 : 0, nullptr);
    };
    applyCtrlPage();

    addAndMakeVisible(unitBg);
    unitBg.toBack();
    colorMapping();
}

//==============================================================================
void ZuMirabox_CenterSeqPanelBase::setAttachments(juce::AudioProcessorValueTreeState& state)
{
    const auto prefix = zu::units::unitPrefix(unitId);
    setPowerButtonAttach(state, prefix + "pwr");
    onoffButtonStateChange(powerButton.getToggleState());
    bindPageHostControls(state);
    snapButton.setAttachment(unitId, state, prefix + "snp");
    afterHostBinding();
    snapshotChanged();
}

void ZuMirabox_CenterSeqPanelBase::setAttachment(juce::ValueTree unitData, juce::String prefix)
{
    getCtrlPanel1().setAttachment(unitData, prefix);
    for (int k = 0; k < zu::units::numSteps; ++k)
    {
        getStep(k).setAttachment(unitData, prefix, k);
        getStep(k).setSkinMode(skinMode);
    }
    stepPageButton.getToggleStateValue().removeListener(this);
    ZuParamAttacher::attachToButton(unitData, juce::Identifier(prefix + "page"), false, stepPageButton);
    stepPageButton.getToggleStateValue().addListener(this);
    ctrlPageButtonClicked();
    stepPageButtonClicked();
    afterTreeBinding();
    stepStrtSizeChanged();
}

void ZuMirabox_CenterSeqPanelBase::refreshStepTexts()
{
    for (int k = 0; k < zu::units::numSteps; ++k)
        getStep(k).triggerAsyncUpdate();
}

void ZuMirabox_CenterSeqPanelBase::targetParamChanged()
{
    refreshStepTexts();
}

void ZuMirabox_CenterSeqPanelBase::valueChanged(juce::Value&)
{
    ctrlPageButtonClicked();
    stepPageButtonClicked();
}

void ZuMirabox_CenterSeqPanelBase::stepPageButtonClicked()
{
    if (stepUnits[0] == nullptr)
        return;
    const bool power = powerButton.getToggleState();
    const bool page = stepPageButton.getToggleState();
    if (isMinimised())
    {
        for (int k = 0; k < zu::units::numSteps; ++k)
            getStep(k).setVisible(false);
        return;
    }
    for (int k = 0; k < 16; ++k)
    {
        getStep(k).setVisible(!page);
        getStep(k).setEnabled(power && !page);
        getStep(k + 16).setVisible(page);
        getStep(k + 16).setEnabled(power && page);
    }
    stepLed.setCurPageIndex(page ? 1 : 0);
}

void ZuMirabox_CenterSeqPanelBase::applyCtrlPage()
{
    const int shown = ctrlPageButton.getToggleState() ? 1 : 0;
    ctrlTabs.setCurrentTabIndex(shown, false);
    // The tabs take the page not shown out of the panel; it stays in as a
    // hidden child, so that its widgets find their unit and editor.
    if (auto* hidden = ctrlTabs.getTabContentComponent(1 - shown))
    {
        ctrlTabs.addChildComponent(hidden);
        hidden->setVisible(false);
        hidden->setBounds(ctrlTabs.getLocalBounds());
    }
}

void ZuMirabox_CenterSeqPanelBase::ctrlPageButtonClicked()
{
    applyCtrlPage();
}

void ZuMirabox_CenterSeqPanelBase::stepStrtSizeChanged()
{
    if (ctrlPanel1Page == nullptr)
        return;
    // A stored value far outside 1..32 (foreign state) counts as its bound.
    const int start = juce::jlimit(1, 32, getCtrlPanel1().getStartValue()) - 1;
    const int size = juce::jlimit(0, 32, getCtrlPanel1().getSizeValue());
    setStepRange(start, size);
}

void ZuMirabox_CenterSeqPanelBase::setStepRange(int start, int size)
{
    if (stepUnits[0] == nullptr)
        return;
    constexpr int n = zu::units::numSteps;
    std::array<bool, n> inWindow{};
    const int first = ((start % n) + n) % n;
    for (int k = 0; k < juce::jlimit(0, n, size); ++k)
        inWindow[(size_t) ((first + k) % n)] = true;
    for (int k = 0; k < n; ++k)
        getStep(k).setStepRngState(inWindow[(size_t) k]);
}

void ZuMirabox_CenterSeqPanelBase::onoffButtonStateChange(bool on)
{
    for (juce::Component* c : std::initializer_list<juce::Component*>{&ctrlTabs, &ctrlPanel2, &stepPageButton,
                                                                      &ctrlPageButton, &snapButton, &modPanel})
        c->setEnabled(on);
    if (ctrlPanel1Page != nullptr)
        ctrlPanel1Page->setEnabled(on);
    for (int k = 0; k < zu::units::numSteps && stepUnits[0] != nullptr; ++k)
        getStep(k).setEnabled(on);
    if (kindInfo.lightFollowsPower)
        stepLed.setEnabled(on);
    stepPageButtonClicked();
}

//==============================================================================
void ZuMirabox_CenterSeqPanelBase::resized()
{
    resizeGlobalStuff();
    placeMenuButton();
    unitBg.setBounds(getLocalBounds());
    const bool minimised = isMinimised();
    ctrlPageButton.setVisible(!minimised);

    if (minimised)
    {
        for (juce::Component* c : std::initializer_list<juce::Component*>{&stepLed, &ctrlTabs, &snapButton, &modPanel})
            c->setVisible(false);
        stepPageButtonClicked();
        updateDrawable();
        return;
    }

    const bool modShown = modButton.getToggleState();
    modPanel.setVisible(modShown);
    if (modShown)
        modPanel.setBounds(modArea);
    for (juce::Component* c : std::initializer_list<juce::Component*>{&stepLed, &ctrlTabs, &snapButton})
        c->setVisible(true);

    // Step area: a top margin, the light strip, the steps and the bottom
    // strip with the block page button.
    auto S = contentArea;
    S.removeFromTop(juce::jmin(S.getHeight(), juce::jlimit(2, 8, T((float) S.getHeight() * 0.05f))));
    S.removeFromLeft(juce::jmin(2, S.getWidth()));
    const int W = S.getWidth();
    const int b = juce::jmin(S.getHeight(), juce::jmax(2, T((float) S.getHeight() * 0.025f)));
    const auto lightStrip = S.removeFromTop(b);
    const int c = juce::jmin(S.getHeight(), juce::jmax(4, T((float) S.getHeight() * 0.128f)));
    auto L = S.removeFromBottom(c);
    L.removeFromBottom(juce::jmin(c, juce::jlimit(2, 8, T((float) c * 0.2f))));
    if (!modShown)
        nameDividerPath.addRectangle((float) L.getX(), (float) L.getY(), (float) W, 1.0f);
    L.removeFromLeft(juce::jmin(W, T((float) W * 0.09f)));
    L = L.withTrimmedLeft(juce::jmin(2, L.getWidth())).withTrimmedRight(juce::jmin(2, juce::jmax(0, L.getWidth() - 2)));
    L.removeFromRight(juce::jmin(T((float) W * 0.09f), L.getWidth()));
    L.removeFromRight(juce::jmin(L.getWidth(), juce::jmax(2, T((float) L.getWidth() * 0.1f))));
    L.removeFromTop(juce::jmin(2, L.getHeight()));
    stepPageButton.setBounds(L);

    S.removeFromTop(juce::jmin(1, S.getHeight()));
    S.removeFromBottom(juce::jmin(1, S.getHeight()));
    const float Wf = (float) juce::jmax(W - 4, 0);
    const int sw = T(0.0624f * Wf);
    const int x0 = T((float) S.getX() + 2.0f) + T((Wf - 16.0f * 0.0624f * Wf) * 0.5f) + 2;
    const int stepH = T((float) juce::jmax(S.getHeight() - 2, 0));
    for (int k = 0; k < 16; ++k)
    {
        getStep(k).setBounds(box(x0 + k * sw, S.getY() + 1, sw, stepH));
        getStep(k + 16).setBounds(box(x0 + k * sw, S.getY() + 1, sw, stepH));
    }
    stepLed.setBounds(box(x0, lightStrip.getY(), 16 * sw, b));

    // Control area: the pages, the snapshot column and "R" under it.
    auto K = nameArea;
    ctrlTabs.setTabBarDepth(0);
    const int right = K.getRight();
    const int i = juce::jmin(K.getWidth(), T((float) K.getWidth() * 0.11f));
    K.removeFromRight(i);
    const int j = juce::jmin(K.getHeight(), T((float) K.getHeight() * 0.85f));
    snapButton.setBounds(box(right - i, K.getY() + juce::jmin(2, j), i - juce::jmin(2, i), j - juce::jmin(2, j)));
    ctrlSeparator.clear();
    ctrlSeparator.addRectangle((float) (K.getX() + K.getWidth() - 2), (float) (K.getY() + 1), 1.0f,
                               (float) juce::jmax(0, K.getHeight() - 2));
    ctrlPageButton.setBounds(box(right - i, K.getY() + j + 2, i - juce::jmin(2, i), K.getHeight() - j - 4));
    K.removeFromRight(juce::jmin(2, K.getWidth()));
    ctrlTabs.setBounds(box(K.getX() + 1, K.getY() + 1, K.getWidth() - 2, K.getHeight() - 2));
    applyCtrlPage();

    stepPageButtonClicked();
    updateDrawable();
}

void ZuMirabox_CenterSeqPanelBase::updateDrawable()
{
    zu::unitpanel::paintUnitBackground(unitBg, *this, panelColor, ctrlSeparator);
}

void ZuMirabox_CenterSeqPanelBase::colorMapping()
{
    takeUnitColours(modPanel, kindInfo.backgroundEntry);
    stepLed.setSkinMode(skinMode);
    getCtrlPanel1().setSkinMode(skinMode);
    ctrlPanel2.setSkinMode(skinMode, unitColor);
    modPanel.setSkinMode(skinMode, unitColor);
    for (int k = 0; k < zu::units::numSteps; ++k)
        getStep(k).setSkinMode(skinMode);
    colourSnapshotColumn();
    stepPageButton.getProperties().set("bgcolor", panelColor.toString());
    stepPageButton.setColour(juce::TextButton::buttonOnColourId, unitColor);
    stepPageButton.setColour(juce::TextButton::buttonColourId, panelColor.darker(0.15f));
    stepPageButton.setColour(juce::TextButton::textColourOffId, panelColor.brighter(0.4f));
    stepPageButton.setColour(juce::TextButton::textColourOnId, panelColor);
    ctrlPageButton.getProperties().set("bgcolor", panelColor.toString());
    ctrlPageButton.setColour(juce::TextButton::buttonOnColourId, unitColor);
    ctrlPageButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff606060));
    ctrlPageButton.setColour(juce::TextButton::textColourOffId, panelColor);
    ctrlPageButton.setColour(juce::TextButton::textColourOnId, panelColor);
    if (modPanel.getParentComponent() != this)
        addChildComponent(modPanel);

    colorMappingGlobalStuff();
    updateDrawable();
    repaint();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterContent.h"

#include "ZuMirabox_CenterPanelMain.h"
#include "ZuMirabox_CenterUnitPanels.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include "PluginSettingState.h"
#include "ZuConvert.h"
#include "ZuEditorAccess.h"
#include "ZuUnits.h"

namespace
{
// The unit id's index into the per-id tables, clamped.
size_t tableIndex(int unitId)
{
    return (size_t) juce::jlimit(0, zu::units::numUnits - 1, unitId - 1);
}

// The theme entry (skin 0) of the colour a unit panel of that kind is built with.
int colourEntryOf(int kind)
{
    constexpr std::array<int, zu::units::numKinds> entries{47, 48, 49, 51, 49};
    return zu::units::isKind(kind) ? entries[(size_t) kind] : 47;
}

// The integer values of the blank-separated tokens after the first three
// characters; empty tokens read 0, huge ones saturate.
std::vector<int> tokenValues(const juce::String& text)
{
    juce::StringArray tokens;
    tokens.addTokens(text.substring(3), " \t\r\n", "");
    std::vector<int> values;
    for (const auto& token : tokens)
        values.push_back(zu::parseLeadingInt(token.getCharPointer()));
    return values;
}
} // namespace

ZuMirabox_CenterContent::ZuMirabox_CenterContent(juce::AudioProcessorValueTreeState& state, juce::ValueTree gui,
                                                 juce::ValueTree paramTree, MirabelGlobalData& global, ScaleData& scale,
                                                 ChordData& chord, CtrPtchSqData& pitch, LfoData& lfo)
    : guiTree(gui), parameters(state), globalData(global), scaleData(scale), chordData(chord), pitchData(pitch),
      lfoData(lfo)
{
    auto childOrNew = [&paramTree](const char* name)
    {
        auto child = paramTree.getChildWithName(name);
        if (!child.isValid() && paramTree.isValid())
        {
            child = juce::ValueTree(name);
            paramTree.appendChild(child, nullptr);
        }
        return child;
    };
    modMain = childOrNew("modmain");
    seqMain = childOrNew("seqmain");
    if (modMain.isValid())
        for (int index = 0; index < zu::units::unitsOfKind[zu::units::pitch]; ++index)
        {
            juce::Identifier name(zu::units::modNodeName(zu::units::pitch, index));
            checkModUnitParamTree(modMain, name, 0, index);
        }

    juce::Component::SafePointer<ZuMirabox_CenterContent> self(this);
    juce::Timer::callAfterDelay(firstBuildDelayMs,
                                [self]
                                {
                                    if (auto* content = self.getComponent())
                                        content->loadPanelStateFromVt();
                                });
}

ZuMirabox_CenterContent::~ZuMirabox_CenterContent()
{
    stopTimer(colourTimer);
    deleteAllPanels();
}

void ZuMirabox_CenterContent::removeUnitPanelAt(size_t index)
{
    removeChildComponent(unitPanels[index].get());
    unitPanels.erase(unitPanels.begin() + (std::ptrdiff_t) index);
}

void ZuMirabox_CenterContent::deleteAllPanels()
{
    while (!unitPanels.empty())
        removeUnitPanelAt(unitPanels.size() - 1);
    addSlots.clear();
}

std::unique_ptr<ZuCenterUnitPanelBase> ZuMirabox_CenterContent::makeUnitPanel(int unitId)
{
    const int kind = zu::units::kindOf(unitId), index = zu::units::indexOf(unitId);
    const auto modTree = modMain.getChildWithName(zu::units::modNodeName(kind, index));
    const auto unitTree = seqMain.getChildWithName(zu::units::nodeName(kind, index));
    const auto colour = colorTheme->entry(colourEntryOf(kind), 0);
    std::unique_ptr<ZuCenterUnitPanelBase> panel;
    ZuMirabox_CenterPitchSeqPanel* pitchPanel = nullptr;
    ZuMirabox_CenterSeqPanelBase* seqPanel = nullptr;
    ZuMirabox_CenterCcRackPanel* rackPanel = nullptr;
    const auto keep = [&panel, &seqPanel](auto owned)
    {
        seqPanel = owned.get();
        panel = std::move(owned);
    };
    switch (kind)
    {
    case zu::units::pitch:
    {
        auto owned = std::make_unique<ZuMirabox_CenterPitchSeqPanel>(index, guiTree, modTree, colour, globalData,
                                                                     scaleData, chordData, pitchData, lfoData);
        pitchPanel = owned.get();
        panel = std::move(owned);
        break;
    }
    case zu::units::param:
        keep(std::make_unique<ZuMirabox_CenterParamSeqPanel>(index, guiTree, modTree, colour, globalData, lfoData));
        break;
    case zu::units::cc:
        keep(std::make_unique<ZuMirabox_CenterCcSeqPanel>(index, guiTree, modTree, colour, globalData, lfoData));
        break;
    case zu::units::octTp:
        keep(std::make_unique<ZuMirabox_CenterOctTpSeqPanel>(index, guiTree, modTree, colour, globalData, lfoData));
        break;
    case zu::units::ccRack:
    {
        auto rack = std::make_unique<ZuMirabox_CenterCcRackPanel>(index, guiTree, modTree, colour, lfoData);
        rackPanel = rack.get();
        panel = std::move(rack);
        break;
    }
    default:
        return nullptr;
    }
    panel->unitId = unitId;
    panel->setAttachments(parameters);
    if (pitchPanel != nullptr)
    {
        pitchPanel->setAttachment(unitTree, zu::units::unitPrefix(unitId));
        // A unit added after the last scale or chord change shows the names
        // of the scale or chord that targets it from the start.
        pitchPanel->chordParamChanged();
    }
    if (seqPanel != nullptr)
        seqPanel->setAttachment(unitTree, zu::units::unitPrefix(unitId));
    if (rackPanel != nullptr)
        rackPanel->setAttachment(unitTree, zu::units::unitPrefix(unitId));
    return panel;
}

void ZuMirabox_CenterContent::addChildUnit(int unitId, int index)
{
    if (!zu::units::isUnitId(unitId))
        return;
    auto panel = makeUnitPanel(unitId);
    if (panel == nullptr)
        return;
    insertPanel(std::move(panel), index);
    startTimer(colourTimer, colourDelayMs);
}

void ZuMirabox_CenterContent::adoptUnitPanel(std::unique_ptr<ZuCenterUnitPanelBase> panel, int index)
{
    if (panel == nullptr)
        return;
    panel->setVisible(true);
    insertPanel(std::move(panel), index);
}

void ZuMirabox_CenterContent::insertPanel(std::unique_ptr<ZuCenterUnitPanelBase> panel, int index)
{
    addChildComponent(*panel);
    const auto at = (index < 0 || index >= (int) unitPanels.size()) ? unitPanels.end() : unitPanels.begin() + index;
    unitPanels.insert(at, std::move(panel));
}

bool ZuMirabox_CenterContent::hasUnit(int unitId) const
{
    for (auto& panel : unitPanels)
        if (panel != nullptr && panel->unitId == unitId)
            return true;
    return false;
}

ZuCenterUnitPanelBase* ZuMirabox_CenterContent::getUnitPanel(int index) const
{
    return index >= 0 && index < (int) unitPanels.size() ? unitPanels[(size_t) index].get() : nullptr;
}

AddComp* ZuMirabox_CenterContent::getAddSlot(int index) const
{
    return index >= 0 && index < (int) addSlots.size() ? addSlots[(size_t) index].get() : nullptr;
}

void ZuMirabox_CenterContent::addUnit(int unitId, int index)
{
    if (!zu::units::isUnitId(unitId) || hasUnit(unitId))
        return;
    addChildUnit(unitId, index);
    const int at = (index < 0 || index >= (int) unitPanels.size()) ? (int) unitPanels.size() - 1 : index;
    auto* panel = getUnitPanel(at);
    if (panel == nullptr || panel->unitId != unitId)
        return;

    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        const auto& settings = ZuEditorAccess(editor->processor).getSettings();
        panel->modButton.setToggleState(settings.modPanelByDefault, juce::dontSendNotification);
        panel->colorMappingGlobalStuff();
        if (zu::units::kindOf(unitId) == zu::units::pitch)
            panel->expandButton.setToggleState(settings.pitchPanelByDefault, juce::dontSendNotification);
    }
    panel->setVisible(true);
    updateAddComps();

    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
    {
        container->resized();
        container->updateQuickBar();
        container->quickAccessButtonClicked(unitId);
    }
    updateVtState();
}

void ZuMirabox_CenterContent::deleteItem(int unitId)
{
    for (size_t i = 0; i < unitPanels.size(); ++i)
        if (unitPanels[i]->unitId == unitId)
        {
            removeUnitPanelAt(i);
            break;
        }
    updateAddComps();
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
    {
        container->resized();
        container->updateQuickBar();
    }
    updateVtState();
}

void ZuMirabox_CenterContent::unitOrderChanged(juce::String order)
{
    const auto values = tokenValues(order);
    for (size_t n = 0; n < values.size(); ++n)
        for (size_t i = 0; i < unitPanels.size(); ++i)
            if (unitPanels[i]->unitId == values[n])
            {
                if (i != n)
                {
                    auto panel = std::move(unitPanels[i]);
                    unitPanels.erase(unitPanels.begin() + (std::ptrdiff_t) i);
                    const auto to = juce::jmin(n, unitPanels.size());
                    unitPanels.insert(unitPanels.begin() + (std::ptrdiff_t) to, std::move(panel));
                }
                break;
            }
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
        container->resized();
    updateVtState();
}

void ZuMirabox_CenterContent::seqUnitPanelStateChanged()
{
    auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>();
    if (container == nullptr)
        return;
    container->resized();
    updateVtState();
}

void ZuMirabox_CenterContent::getUnitOrderList(std::vector<int>& out) const
{
    out.clear();
    for (auto& panel : unitPanels)
        out.push_back(panel->unitId);
}

void ZuMirabox_CenterContent::updateVtState()
{
    juce::String state("CT:");
    for (auto& panel : unitPanels)
    {
        if (panel == nullptr)
            continue;
        const int minimised = panel->minimizeButton.getToggleState() ? 1 : 0;
        const int expanded = panel->expandButton.getToggleState() ? 1 : 0;
        const int mod = panel->modButton.getToggleState() ? 1 : 0;
        state << juce::String(panel->unitId * 100 + (minimised + 2 * expanded) * 10 + mod) << " ";
    }
    guiTree.setProperty("ctstate", state, nullptr);
    globalData.loadCenterUnitStateFromString(state);
}

void ZuMirabox_CenterContent::loadPanelStateFromVt()
{
    const auto text = guiTree.getProperty("ctstate", "CT:").toString();
    if (text.isNotEmpty())
    {
        deleteAllPanels();

        struct Entry
        {
            int id, state, mod;
        };
        std::vector<Entry> entries;
        std::array<bool, zu::units::numUnits> seen{};
        for (const int v : tokenValues(text))
        {
            if (v < 100)
                continue;
            const Entry entry{juce::jmin(v / 100, zu::units::numUnits), juce::jmin((v % 100) / 10, 3),
                              v % 10 > 0 ? 1 : 0};
            // A repeated id would be a second panel of one unit.
            if (std::exchange(seen[tableIndex(entry.id)], true))
                continue;
            entries.push_back(entry);
        }

        for (size_t n = 0; n < entries.size(); ++n)
        {
            addChildUnit(entries[n].id, (int) n);
            auto* panel = getUnitPanel((int) n);
            if (panel == nullptr)
                continue;
            const int state = entries[n].state;
            panel->minimizeButton.setToggleState(state == 1 || state == 3, juce::dontSendNotification);
            panel->colorMappingGlobalStuff();
            if (state >= 2)
                panel->expandButton.setToggleState(true, juce::dontSendNotification);
            panel->modButton.setToggleState(entries[n].mod == 1, juce::dontSendNotification);
            panel->colorMappingGlobalStuff();
        }
    }

    for (auto& panel : unitPanels)
        panel->setVisible(true);
    updateAddComps();
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
    {
        container->resized();
        container->updateQuickBar();
        container->recallCenterPanelPos();
    }
}

void ZuMirabox_CenterContent::updateAddComps()
{
    addSlots.clear();
    for (int i = 0; i <= (int) unitPanels.size(); ++i)
    {
        addSlots.push_back(std::make_unique<AddComp>(i));
        addAndMakeVisible(*addSlots.back());
    }
}

float ZuMirabox_CenterContent::heightFactorOf(const ZuCenterUnitPanelBase* panel) const
{
    if (panel == nullptr || panel->minimizeButton.getToggleState())
        return minimisedFactor;
    const bool mod = panel->modButton.getToggleState();
    if (panel->expandButton.getToggleState())
        return mod ? 0.691f : 0.447887f;
    return mod ? 0.4418f : 0.2085f;
}

int ZuMirabox_CenterContent::calcChildBounds(juce::Rectangle<int> area)
{
    const float H = area.getHeight() >= 1 ? (float) (area.getHeight() - 1) : 0.0f;
    const int W = area.getWidth();
    const int gap = juce::jmax(2, (int) (H * 0.0105f));
    const int addH = juce::jmax(4, (int) (H * 0.015f));
    const int innerW = juce::jmax(0, W - 2 * gap);
    const int inset = (int) ((float) innerW * 0.39f);
    const int addW = juce::jmax(0, innerW - 2 * inset);
    const int addX = inset + gap;
    slotPitch = addH + 2 * gap;

    slotRects.clear();
    const size_t n = addSlots.size() + unitPanels.size();
    int y = gap;
    for (size_t j = 0; j < n; ++j)
    {
        juce::Rectangle<int> r;
        if (j % 2 == 0)
            r = {addX, y, addW, addH};
        else
        {
            const size_t k = (j - 1) / 2;
            const auto* panel = k < unitPanels.size() ? unitPanels[k].get() : nullptr;
            r = {gap, y, innerW, juce::jmax(0, (int) (heightFactorOf(panel) * H))};
        }
        slotRects.push_back(r);
        y = r.getBottom() + gap;
    }

    for (size_t i = 0; i < addSlots.size(); ++i)
        if (2 * i < slotRects.size())
            addSlots[i]->setBounds(slotRects[2 * i]);
    for (size_t k = 0; k < unitPanels.size(); ++k)
        if (2 * k + 1 < slotRects.size())
            unitPanels[k]->setBounds(slotRects[2 * k + 1]);

    const int tail = juce::jmax(1, (int) ((float) addH * 0.28f));
    return slotRects.empty() ? tail : slotRects.back().getBottom() + tail;
}

int ZuMirabox_CenterContent::getForcustYpos(int unitId, int, int, int) const
{
    for (auto& panel : unitPanels)
        if (panel->unitId == unitId)
            return panel->getY();
    return unitPanels.size() <= 4 ? -1 : 0;
}

void ZuMirabox_CenterContent::unitNameChanged(int unitId, juce::String name)
{
    for (auto& panel : unitPanels)
        if (panel->unitId == unitId)
            panel->nameLabel.setText(name, juce::sendNotification);
}

void ZuMirabox_CenterContent::scaleParamChanged()
{
    for (auto& panel : unitPanels)
        if (panel->withExpandButton)
            panel->scaleParamChanged();
}

void ZuMirabox_CenterContent::chordParamChanged()
{
    for (auto& panel : unitPanels)
        if (panel->withExpandButton)
            panel->chordParamChanged();
}

void ZuMirabox_CenterContent::timerCallback(int timerId)
{
    if (timerId != colourTimer)
        return;
    stopTimer(colourTimer);
    colorMapping();
}

void ZuMirabox_CenterContent::colorMapping()
{
    panelColor = colorTheme->entry(2, skinMode);
    for (auto& panel : unitPanels)
        panel->setSkinMode(skinMode);
    repaint();
}

void ZuMirabox_CenterContent::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ZuMirabox_CenterContent::resized() {}

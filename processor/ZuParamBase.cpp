// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuParamBase.h"
#include "ZuParamTrees.h"

#include <cmath>

ZuParamBase::ZuParamBase(juce::AudioProcessor& processor)
    : paramState(processor, &undoManager, "ZUMIRABOX", createParameterLayout()),
      smoothstepTable([](float x) { return x * x * (3.0f - 2.0f * x); }, 0.0f, 1.0f, 128)
{
    undoManager.clearUndoHistory();

    for (int k = 0; k < numKinds; ++k)
        kindNames[(size_t) k] = zu::units::nodeStem(k);

    static constexpr int snapTable[numKinds][4] = {
        {2, 5, 8, 11}, {13, 15, 17, 19}, {22, 25, 28, 31}, {33, 33, 33, 33}, {35, 37, 35, 35}};
    for (int k = 0; k < numKinds; ++k)
        for (int u = 0; u < 4; ++u)
            kindSnapParamIndex[k][u] = snapTable[k][u];

    unitParamIndexList = {2, 5, 8, 11, 13, 15, 17, 19, 22, 25, 28, 31, 35, 37, 1, 4, 7, 10, 21, 24, 27, 30};
    scaleParamIndexList = {67, 68, 69, 70, 71, 72, 73, 74, 75};

    for (int id = 1; id <= numUnits; ++id)
        snapParamUnits[zu::units::unitPrefix(id) + "snp"] = id;
}

ZuParamBase::~ZuParamBase() = default;

void ZuParamBase::timerCallback(int) {}

void ZuParamBase::initUnitParams(int, int) {}

juce::AudioProcessorValueTreeState::ParameterLayout ZuParamBase::createParameterLayout()
{
    auto group = std::make_unique<juce::AudioProcessorParameterGroup>("global", "Global", " | ");
    const auto& discrete = paramProfile.getDiscreteList();
    const auto& nonAutomatable = paramProfile.getNonAutomatableList();

    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
    {
        const auto attributes = juce::AudioProcessorValueTreeStateParameterAttributes()
                                    .withDiscrete(discrete.contains(i))
                                    .withAutomatable(!nonAutomatable.contains(i))
                                    .withBoolean(false)
                                    .withLabel({})
                                    .withCategory(juce::AudioProcessorParameter::genericParameter)
                                    .withMeta(false)
                                    .withInverted(false);
        group->addChild(std::make_unique<juce::AudioProcessorValueTreeState::Parameter>(
            juce::ParameterID(paramProfile.getParamID(i), 1), paramProfile.getParamName(i), paramProfile.getValRange(i),
            paramProfile.getDefVal(i), attributes));
    }

    std::vector<std::unique_ptr<juce::AudioProcessorParameterGroup>> groups;
    groups.push_back(std::move(group));
    return {groups.begin(), groups.end()};
}

void ZuParamBase::makeMyParamState()
{
    paramIds.clear();
    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
        paramIds.add({});

    juce::AudioProcessorValueTreeState::ParameterLayout discarded;
    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
    {
        const auto id = paramProfile.getParamID(i);
        discarded.add(std::make_unique<juce::AudioProcessorParameterGroup>("global", "Global", " | "));
        paramState.addParameterListener(id, this);
        paramIds.set(i, id);
        parameterChanged(id, paramProfile.getDefVal(i));
    }
    paramState.state = juce::ValueTree("ZUMIRA8");
}

void ZuParamBase::getValueFromValueTree(float& value, int index)
{
    if (auto* raw = paramState.getRawParameterValue(paramIds[index]))
        value = raw->load();
}

void ZuParamBase::setValueToValueTree(int index, float plainValue)
{
    if (auto* param = paramState.getParameter(paramIds[index]))
        param->setValueNotifyingHost(param->convertTo0to1(plainValue));
}

void ZuParamBase::getRawValueFromValueTree(float& value, int index)
{
    if (auto* param = paramState.getParameter(paramIds[index]))
    {
        const auto plain = paramState.getParameterAsValue(paramIds[index]).getValue().toString().getFloatValue();
        value = param->convertTo0to1(plain);
    }
}

float ZuParamBase::getParamInitialValue(int index)
{
    if (auto* param = paramState.getParameter(paramIds[index]))
        return param->getDefaultValue();
    return 0.0f;
}

void ZuParamBase::setUiStateToValueTree(juce::String name, int value)
{
    paramState.state.setProperty(name, value, nullptr);
}

void ZuParamBase::initializeAllParamValues()
{
    const juce::ScopedLock sl(resetLock);

    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
        setValueToValueTree(i, paramProfile.getDefVal(i));

    for (int id = 1; id <= numUnits; ++id)
        initUnitParams(zu::units::kindOf(id), zu::units::indexOf(id));

    auto& p = paramTree;
    for (int n = 1; n <= 12; ++n)
    {
        const auto sn = juce::String(n);
        p.setProperty("p9_chord_type" + sn, 1.0, nullptr);
        p.setProperty("p9_chord_root" + sn, n, nullptr);
        p.setProperty("p9_chord_inv" + sn, 1.0, nullptr);
        p.setProperty("p9_chord_custom" + sn, 0, nullptr);
        for (int m = 1; m <= 5; ++m)
            p.setProperty("p9_chord" + sn + "_cn" + juce::String(m), 1.0, nullptr);
    }
    for (int k = 1; k <= 7; ++k)
        p.setProperty("p8_scale_type1_wkey" + juce::String(k), 1, nullptr);
    for (int k = 1; k <= 5; ++k)
        p.setProperty("p8_scale_type1_bkey" + juce::String(k), 1, nullptr);
    p.setProperty("p0_chrpwr", 0, nullptr);
    p.setProperty("p0_chrsize", 4, nullptr);
    p.setProperty("p0_chrspd", 4, nullptr);
    p.setProperty("p0_chrtrksel", 0, nullptr);
    for (int t = 1; t <= 8; ++t)
        for (int s = 1; s <= 16; ++s)
            p.setProperty("p0_chrt" + juce::String(t) + "stp" + juce::String(s), 0, nullptr);
    for (int u = 1; u <= 15; ++u)
        p.setProperty("p0_chrtar" + juce::String(u), 0, nullptr);
    p.setProperty("presetname", "Preset", nullptr);
}

void ZuParamBase::syncValueTreeNotifyListeners(const juce::ValueTree& source, juce::ValueTree& destination)
{
    if (!source.isValid() || !destination.isValid())
        return;

    for (int i = 0; i < source.getNumProperties(); ++i)
    {
        const auto name = source.getPropertyName(i);
        if (destination.hasProperty(name))
            destination.setProperty(name, source.getProperty(name), nullptr);
    }

    for (int i = 0; i < source.getNumChildren(); ++i)
    {
        const auto child = source.getChild(i);
        auto match = destination.getChildWithName(child.getType());
        if (match.isValid())
            syncValueTreeNotifyListeners(child, match);
    }
}

void ZuParamBase::initModUnit(juce::ValueTree& unitModTree, int kindIndex, int unitIndex)
{
    unitModTree.setProperty(zu::units::modAreaPrefix(kindIndex, unitIndex) + "tab", 0, nullptr);

    for (int s = 0; s < zu::units::numSlots; ++s)
    {
        juce::ValueTree fresh(zu::units::slotNodeName(s));
        createModUnitParams(fresh, kindIndex, unitIndex, s);
        auto slot = unitModTree.getChildWithName(fresh.getType());
        if (slot.isValid())
            syncValueTreeNotifyListeners(fresh, slot);
    }
}

double ZuParamBase::getVersionFromString(const juce::String& version)
{
    juce::StringArray tokens;
    tokens.addTokens(version, ".", "\"");

    // Text that is no number reads as 0, and anything non-finite as well: a
    // damaged version must read as "too old", never as a huge or NaN version.
    auto value = [](const juce::String& token)
    {
        const double v = token.getDoubleValue();
        return std::isfinite(v) ? v : 0.0;
    };
    auto fraction = [&](const juce::String& token)
    { return value(token) * std::pow(10.0, -(double) (std::max(token.length(), 1) + 1)); };

    double result = 1.0;
    if (tokens.size() == 3)
        result = value(tokens[0]) + value(tokens[1]) * 0.1 + fraction(tokens[2]);
    else if (tokens.size() == 2)
        result = value(tokens[0]) + fraction(tokens[1]);

    return std::isfinite(result) ? result : 0.0;
}

void ZuParamBase::setNewTransaction()
{
    undoManager.beginNewTransaction();
}

bool ZuParamBase::isUndoReady()
{
    return undoManager.canUndo();
}

bool ZuParamBase::isRedoReady()
{
    return undoManager.canRedo();
}

void ZuParamBase::undo()
{
    if (undoManager.canUndo())
        undoManager.undo();
}

void ZuParamBase::redo()
{
    if (undoManager.canRedo())
        undoManager.redo();
}

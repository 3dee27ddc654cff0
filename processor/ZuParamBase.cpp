// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuParamBase.h"
#include "ZuUnitOps.h"

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

    zu::unitops::resetParamTreeDefaults(paramTree);
}

void ZuParamBase::syncValueTreeNotifyListeners(const juce::ValueTree& source, juce::ValueTree& destination)
{
    zu::unitops::syncTrees(source, destination);
}

void ZuParamBase::initModUnit(juce::ValueTree& unitModTree, int kindIndex, int unitIndex)
{
    zu::unitops::initModUnit(unitModTree, kindIndex, unitIndex);
}

void ZuParamBase::updateSeqSnapVt(int kindIndex, int unitIndex, int snapshot)
{
    zu::unitops::updateSeqSnapVt(paramTree, snapTree, kindIndex, unitIndex, snapshot);
}

void ZuParamBase::loadSeqSnapVt(int kindIndex, int unitIndex, int snapshot)
{
    zu::unitops::loadSeqSnapVt(paramTree, snapTree, kindIndex, unitIndex, snapshot);
}

void ZuParamBase::copyPasteVtBtwSeqUnits(int, int, juce::ValueTree& source, juce::ValueTree& destination,
                                         juce::String prefix)
{
    zu::unitops::copyPasteVtBtwSeqUnits(source, destination, prefix);
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

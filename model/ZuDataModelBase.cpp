// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuDataModelBase.h"

#include <cmath>

bool ZuDataModelBase::isContain(const juce::String& name, float value)
{
    if (!nameList.contains(name))
        return false;
    setParamVal(name, value);
    return true;
}

namespace
{
template <typename T> bool writeSlotField(ZuDataModelBase::MyParam<T>& param, int field, float v) noexcept
{
    switch (field)
    {
    case ZuDataModelBase::fieldSource1:
    case ZuDataModelBase::fieldSource2:
        param.modSource[field - 1] = zu::clampInt(zu::toIntSaturating(v), 0, ZuDataModelBase::maxModSource);
        return true;
    case ZuDataModelBase::fieldDepth1:
    case ZuDataModelBase::fieldDepth2:
        param.modDepth[field - 3] = v;
        return true;
    default:
        return false;
    }
}
} // namespace

void ZuDataModelBase::handleParamVals(MyParam<int>& param, int field, float v) noexcept
{
    handleParamVals(param, field, v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

void ZuDataModelBase::handleParamVals(MyParam<int>& param, int field, float v, int lo, int hi) noexcept
{
    if (!std::isfinite(v))
        return;
    if (field == fieldValue)
        param.value = zu::clampInt(zu::toIntSaturating(v), lo, hi);
    else if (!writeSlotField(param, field, v))
        return;
    param.updateModActive();
}

void ZuDataModelBase::handleParamVals(MyParam<float>& param, int field, float v) noexcept
{
    if (!std::isfinite(v))
        return;
    if (field == fieldValue)
        param.value = v;
    else if (!writeSlotField(param, field, v))
        return;
    param.updateModActive();
}

void ZuDataModelBase::readSlots(const juce::ValueTree& tree, int32_t* sources, float* depths, const juce::String& id,
                                int slotCount)
{
    for (int k = 1; k <= juce::jmin(slotCount, 2); ++k)
    {
        const auto n = juce::String(k);
        sources[k - 1] = zu::clampInt(zu::readIntProperty(tree, id + "_ms" + n, 0), 0, maxModSource);
        depths[k - 1] = zu::readFloatProperty(tree, id + "_md" + n, 0.0f);
    }
}

void ZuDataModelBase::updateStepDataI(const juce::ValueTree& tree, MyParam<int>& param, const juce::Identifier& id,
                                      int def, int slotCount)
{
    updateStepDataI(tree, param, id, def, slotCount, std::numeric_limits<int32_t>::min(),
                    std::numeric_limits<int32_t>::max());
}

void ZuDataModelBase::updateStepDataI(const juce::ValueTree& tree, MyParam<int>& param, const juce::Identifier& id,
                                      int def, int slotCount, int lo, int hi)
{
    param.value = zu::clampInt(zu::readIntProperty(tree, id, def), lo, hi);
    int32_t sources[2] = {param.modSource[0], param.modSource[1]};
    float depths[2] = {param.modDepth[0], param.modDepth[1]};
    readSlots(tree, sources, depths, id.toString(), slotCount);
    for (int k = 0; k < juce::jmin(slotCount, 2); ++k)
    {
        param.modSource[k] = sources[k];
        param.modDepth[k] = depths[k];
    }
    param.updateModActive();
}

void ZuDataModelBase::updateStepDataF(const juce::ValueTree& tree, MyParam<float>& param, const juce::Identifier& id,
                                      float def, int slotCount)
{
    param.value = zu::readFloatProperty(tree, id, def);
    int32_t sources[2] = {param.modSource[0], param.modSource[1]};
    float depths[2] = {param.modDepth[0], param.modDepth[1]};
    readSlots(tree, sources, depths, id.toString(), slotCount);
    for (int k = 0; k < juce::jmin(slotCount, 2); ++k)
    {
        param.modSource[k] = sources[k];
        param.modDepth[k] = depths[k];
    }
    param.updateModActive();
}

//==============================================================================
SeqDataBase::SeqDataBase(int unitCount) : numModelUnits(zu::clampInt(unitCount, 1, maxUnits))
{
    for (auto& v : snapValues)
        v = 0;
}

void SeqDataBase::setParamVal(const juce::String& id, float value)
{
    const int index = lookup(paramMap, keyFromId(id));
    if (index > 0)
        setParamValAt(unitFromId(id, numModelUnits), index, value);
}

bool SeqDataBase::syncSnapValues()
{
    bool changed = false;
    for (size_t u = 0; u < snapValues.size(); ++u)
    {
        if (snapValueDirty[u].exchange(false))
        {
            snapValues[u] = (int) snapValueToPublish[u];
            changed = true;
        }
    }
    return changed;
}

void SeqDataBase::publishSnapshotValue(int unit, int snapshot)
{
    if (unit < 0 || unit >= maxUnits)
        return;
    const auto u = (size_t) unit;
    snapValueToPublish[u] = snapshot;
    // juce::Value belongs to the message thread: other threads leave the
    // update to syncSnapValues.
    if (juce::MessageManager::existsAndIsCurrentThread())
    {
        snapValueDirty[u] = false;
        snapValues[u] = snapshot;
    }
    else
    {
        snapValueDirty[u] = true;
    }
}

int SeqDataBase::unitDigitOfId(const juce::String& id) noexcept
{
    if (id.length() > 4)
    {
        const auto c = id[4];
        if (c >= '0' && c <= '9')
            return (int) (c - '0');
    }
    return -1;
}

int SeqDataBase::unitFromId(const juce::String& id, int numUnits) noexcept
{
    return zu::clampInt(unitDigitOfId(id) - 1, 0, numUnits - 1);
}

juce::String SeqDataBase::keyFromId(const juce::String& id)
{
    return id.substring(6);
}

int SeqDataBase::lookup(const ParamMap& map, const juce::String& key)
{
    const auto it = map.find(key);
    return it == map.end() ? 0 : it->second;
}

int SeqDataBase::addKey(ParamMap& map, int index, const juce::String& key, int slots)
{
    map[key] = index++;
    if (slots >= 1)
        map[key + "_ms1"] = index++;
    if (slots >= 2)
        map[key + "_ms2"] = index++;
    if (slots >= 1)
        map[key + "_md1"] = index++;
    if (slots >= 2)
        map[key + "_md2"] = index++;
    return index;
}

int SeqDataBase::addClockBlockKeys(ParamMap& map, int index)
{
    index = addKey(map, index, "dir", 2);
    index = addKey(map, index, "fclk", 0);
    index = addKey(map, index, "sclk", 2);
    index = addKey(map, index, "csync", 0);
    index = addKey(map, index, "clktyp", 0);
    index = addKey(map, index, "rst", 0);
    index = addKey(map, index, "strt", 2);
    return addKey(map, index, "size", 2);
}

int SeqDataBase::addHeadKeys(ParamMap& map)
{
    int index = addKey(map, 1, "pwr", 0);
    index = addClockBlockKeys(map, index);
    return addKey(map, index, "snp", 0);
}

int SeqDataBase::addStepKeys(ParamMap& map, int index, const std::vector<std::pair<juce::String, int>>& list, int steps)
{
    for (const auto& [key, slots] : list)
        for (int n = 1; n <= steps; ++n)
            index = addKey(map, index, key + juce::String(n), slots);
    return index;
}

juce::ValueTree SeqDataBase::storedSnapshot(const juce::ValueTree& unitChild, int s)
{
    auto snap = unitChild.getChildWithName(zu::units::snapNodeName(s));
    if (!snap.isValid() || snap.getNumProperties() == 0)
        return {};
    return snap;
}

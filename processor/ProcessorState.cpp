// SPDX-License-Identifier: GPL-3.0-or-later
// The state document: the host chunk and the content of a whole-plug-in preset.
#include "PluginProcessor.h"

#include <cmath>

namespace
{
constexpr const char* writerVersion = "1.1.82";
// Documents older than this are not ours to read (compared in single precision).
constexpr float oldestReadableVersion = 0.9981f;

// Units in the order the save stores them: the octave-transpose unit, then per
// index the pitch, parameter and CC units and the racks.
struct SavedUnit
{
    int kind;
    int index;
    int snapParam;
};
constexpr SavedUnit saveOrder[] = {{3, 0, 33}, {0, 0, 2},  {1, 0, 13}, {2, 0, 22}, {4, 0, 35},
                                   {0, 1, 5},  {1, 1, 15}, {2, 1, 25}, {4, 1, 37}, {0, 2, 8},
                                   {1, 2, 17}, {2, 2, 28}, {0, 3, 11}, {1, 3, 19}, {2, 3, 31}};

// Marks the calling thread as the one moving a state document in or out, for
// as long as it lives: only that thread's own parameter and tree writes are
// kept from queueing snapshot switches and timers.
struct StateTransferScope
{
    StateTransferScope(std::atomic<bool>& flagToRaise, std::atomic<juce::Thread::ThreadID>& ownerThread)
        : flag(flagToRaise), owner(ownerThread)
    {
        owner = juce::Thread::getCurrentThreadId();
        flag = true;
    }
    ~StateTransferScope()
    {
        flag = false;
        owner = nullptr;
    }
    std::atomic<bool>& flag;
    std::atomic<juce::Thread::ThreadID>& owner;
};
} // namespace

bool ZumiraboxAudioProcessor::isStateTransferOnThisThread() const
{
    return stateTransferFlag.load() && stateTransferThread.load() == juce::Thread::getCurrentThreadId();
}

void ZumiraboxAudioProcessor::saveStateToXML(juce::XmlElement& document, juce::String nameOfPreset)
{
    // A queued snapshot switch must run first: otherwise the live values of the
    // old snapshot would be stored into the new one below.
    drainSnapshotQueue();

    StateTransferScope transfer(stateTransferFlag, stateTransferThread);

    document.setAttribute("pluginVersion", getVersionFromString(writerVersion));
    if (nameOfPreset.isNotEmpty())
        paramTree.setProperty("presetname", nameOfPreset, nullptr);

    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
    {
        float value = 0.0f;
        getValueFromValueTree(value, i);
        document.setAttribute(juce::Identifier(paramIds[i]), (double) value);
    }

    for (const auto& unit : saveOrder)
    {
        float snap = 0.0f;
        getValueFromValueTree(snap, unit.snapParam);
        updateSeqSnapVt(unit.kind, unit.index, zu::toIntSaturating(snap));
    }

    document.addChildElement(mainTree.createXml().release());
    document.addChildElement(paramTree.createXml().release());
    document.addChildElement(snapTree.createXml().release());
}

void ZumiraboxAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    juce::XmlElement document(stateTag);
    saveStateToXML(document, {});
    copyXmlToBinary(document, destData);
}

juce::XmlElement ZumiraboxAudioProcessor::getXmlStateForSaveingPreset(juce::String nameOfPreset)
{
    juce::XmlElement document(stateTag);
    saveStateToXML(document, nameOfPreset);
    return document;
}

void ZumiraboxAudioProcessor::getStateAsText(juce::String& text)
{
    juce::XmlElement document(stateTag);
    saveStateToXML(document, {});
    text = document.toString();
}

void ZumiraboxAudioProcessor::setStateFromText(const juce::String& text)
{
    if (auto document = juce::parseXML(text))
        loadStateFromXML(document.get(), false, {});
}

void ZumiraboxAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 0)
        return;
    if (auto document = getXmlFromBinary(data, sizeInBytes))
        loadStateFromXML(document.get(), false, {});
}

namespace
{
bool isReadableDocument(const juce::XmlElement* document, const juce::String& tag)
{
    if (document == nullptr || !document->hasTagName(tag))
        return false;
    const float version = document->getStringAttribute("pluginVersion").getFloatValue();
    return std::isfinite(version) && version >= oldestReadableVersion;
}

// A numeric attribute, or the fallback when it is missing or not a finite number.
double readNumber(const juce::XmlElement& element, const juce::String& name, double fallback)
{
    if (!element.hasAttribute(name))
        return fallback;
    const double v = element.getStringAttribute(name).getDoubleValue();
    return std::isfinite(v) ? v : fallback;
}
} // namespace

void ZumiraboxAudioProcessor::loadStateFromXML(juce::XmlElement* document, bool, juce::String nameOfPreset)
{
    if (isReadableDocument(document, stateTag))
    {
        // Switches queued before the load belong to the state being replaced.
        drainSnapshotQueue();

        if (nameOfPreset.isNotEmpty())
            if (auto* param = document->getChildByName("param"))
                param->setAttribute("presetname", nameOfPreset);

        const bool chLocked = globalData.midiChLock.load();
        const bool scaleLocked = globalData.scaleLock.load();
        const bool startingUp = startUpFlag.load();

        // Read the racks' knob channels before anything of the document is applied.
        std::array<std::array<int, 8>, 2> rackChannels{};
        for (int r = 0; r < 2; ++r)
            for (int k = 0; k < 8; ++k)
            {
                const int s = ccRackData.units[(size_t) r].currentSnapshot;
                rackChannels[(size_t) r][(size_t) k] =
                    ccRackData.units[(size_t) r].snaps[(size_t) juce::jlimit(0, 7, s)].knobs[(size_t) k].kch;
            }

        StateTransferScope transfer(stateTransferFlag, stateTransferThread);

        if (!startingUp)
        {
            if (chLocked)
                for (int i = 14; i < 22; ++i)
                {
                    float v = 0.0f;
                    getValueFromValueTree(v, unitParamIndexList[(size_t) i]);
                    document->setAttribute(juce::Identifier(paramIds[unitParamIndexList[(size_t) i]]), (double) v);
                }
            if (scaleLocked)
                for (int index : scaleParamIndexList)
                {
                    float v = 0.0f;
                    getValueFromValueTree(v, index);
                    document->setAttribute(juce::Identifier(paramIds[index]), (double) v);
                }
        }

        for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
        {
            const double v = readNumber(*document, paramIds[i], (double) paramProfile.getDefVal(i));
            setValueToValueTree(
                i, (float) juce::jlimit((double) paramProfile.getMinVal(i), (double) paramProfile.getMaxVal(i), v));
        }

        if (auto* main = document->getChildByName("maintree"))
        {
            mainTree.copyPropertiesAndChildrenFrom(juce::ValueTree::fromXml(*main), nullptr);
            globalData.loadCenterUnitStateFromString(mainTree.getProperty("ctstate", juce::String()).toString());
        }

        if (auto* snaps = document->getChildByName("snapmain"))
        {
            snapTree.copyPropertiesAndChildrenFrom(juce::ValueTree::fromXml(*snaps), nullptr);
            pitchSeqData.setSnapshotStatesFromValueTree(snapTree, 4);
            paramSeqData.setSnapshotStatesFromValueTree(snapTree, 4);
            ccSeqData.setSnapshotStatesFromValueTree(snapTree, 4);
            octTpSeqData.setSnapshotStatesFromValueTree(snapTree);
            ccRackData.setSnapshotStatesFromValueTree(snapTree, 2);
            lfoData.setSnapshotStatesFromValueTree(snapTree);
        }

        if (auto* param = document->getChildByName("param"))
        {
            auto loaded = juce::ValueTree::fromXml(*param);
            if (!startingUp)
                applyLockRules(loaded, chLocked, scaleLocked, rackChannels);
            syncValueTreeNotifyListeners(loaded, paramTree);
        }
    }

    startUpFlag = false;
    stateTransferFlag = false;
    requestTimer(editorRefreshTimer);
    requestTimer(forceResyncTimer);
}

void ZumiraboxAudioProcessor::applyLockRules(juce::ValueTree& loaded, bool chLocked, bool scaleLocked,
                                             const std::array<std::array<int, 8>, 2>& rackChannels)
{
    loaded.setProperty("p0_midichlock", paramTree.getProperty("p0_midichlock", 0), nullptr);
    if (chLocked)
    {
        auto seq = loaded.getChildWithName("seqmain");
        using namespace zu::units;
        for (int r = 0; r < unitsOfKind[ccRack]; ++r)
        {
            auto rack = seq.getChildWithName(nodeName(ccRack, r));
            if (!rack.isValid())
                continue;
            for (int k = 1; k <= numRackKnobs; ++k)
            {
                const juce::Identifier id(numberedKey(unitPrefix(ccRack, r), "kch", k));
                if (rack.hasProperty(id))
                    rack.setProperty(id, rackChannels[(size_t) r][(size_t) k - 1], nullptr);
            }
        }
    }

    loaded.setProperty("p0_scalelock", paramTree.getProperty("p0_scalelock", 0), nullptr);
    if (scaleLocked)
    {
        loaded.setProperty("scale_type1_presetname", paramTree.getProperty("scale_type1_presetname", "Preset"),
                           nullptr);
        for (int k = 1; k <= 7; ++k)
        {
            const juce::Identifier id("p8_scale_type1_wkey" + juce::String(k));
            if (loaded.hasProperty(id))
                loaded.setProperty(id, paramTree.getProperty(id, 1), nullptr);
        }
        for (int k = 1; k <= 5; ++k)
        {
            const juce::Identifier id("p8_scale_type1_bkey" + juce::String(k));
            if (loaded.hasProperty(id))
                loaded.setProperty(id, paramTree.getProperty(id, 1), nullptr);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The state document: the host chunk and the content of a whole-plug-in preset.
#include "PluginProcessor.h"
#include "ZuTreeAccess.h"
#include "ZuTreeProperties.h"
#include "ZuXmlGuard.h"

#include <cmath>

namespace
{
constexpr const char* writerVersion = ZumiraboxAudioProcessor::pluginVersionString;
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

void ZumiraboxAudioProcessor::writeStateDocument(juce::OutputStream& out, juce::String nameOfPreset)
{
    // A save stores the last completed state: a switch still queued is carried
    // out later by the message thread, so each unit's live values go into the
    // snapshot the live trees hold, and the document names that snapshot.
    // The save itself changes nothing a host sees.
    jassert(ZuTreeAccess::isHeldByThisThread());
    StateTransferScope transfer(stateTransferFlag, stateTransferThread);

    std::vector<zu::statetext::RootAttribute> attributes;
    attributes.reserve(ZuKern_ParamProfile::numParams + 1);
    attributes.push_back({"pluginVersion", getVersionFromString(writerVersion)});
    if (nameOfPreset.isNotEmpty())
        paramTree.setProperty("presetname", nameOfPreset, nullptr);

    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
    {
        float value = 0.0f;
        getValueFromValueTree(value, i);
        if (const int unitId = paramRoutes[(size_t) i].unitId; unitId >= 1 && unitId <= numUnits)
            value = (float) liveSnapshotOfUnit(unitId);
        attributes.push_back({paramIdentifiers[(size_t) i], (double) value});
    }

    for (const auto& unit : saveOrder)
        updateSeqSnapVt(unit.kind, unit.index, liveSnapshotOfUnit(paramRoutes[(size_t) unit.snapParam].unitId));

    zu::statetext::writeDocument(out, stateTag, attributes, {mainTree, paramTree, snapTree});
}

void ZumiraboxAudioProcessor::saveStateToXML(juce::XmlElement& document, juce::String nameOfPreset)
{
    juce::MemoryOutputStream text;
    writeStateDocument(text, nameOfPreset);
    if (auto written = zu::parseXmlGuarded(text.toString()))
        document = *written;
}

void ZumiraboxAudioProcessor::writeStateChunk(juce::MemoryBlock& destData)
{
    // JUCE's chunk for an XML text (AudioProcessor::copyXmlToBinary): a magic
    // number, the text's length, the text and a terminating zero.
    constexpr juce::uint32 xmlChunkMagic = 0x21324356;
    destData.reset();
    {
        juce::MemoryOutputStream out(destData, false);
        out.writeInt((int) xmlChunkMagic);
        out.writeInt(0);
        writeStateDocument(out, {});
        out.writeByte(0);
    }
    static_cast<juce::uint32*>(destData.getData())[1] =
        juce::ByteOrder::swapIfBigEndian((juce::uint32) destData.getSize() - 9);
}

void ZumiraboxAudioProcessor::rememberChunk(const void* data, size_t size)
{
    const std::lock_guard<std::mutex> hold(lastChunkMutex);
    lastChunk.replaceAll(data, size);
}

void ZumiraboxAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    // Any host thread: the trees are read while the message thread stands
    // still (see ZuTreeAccess). The audio thread is never held up by a save.
    ZuTreeAccess access;
    if (access.granted())
    {
        writeStateChunk(destData);
        rememberChunk(destData.getData(), destData.getSize());
        return;
    }

    // The message thread has not come round for seconds, most likely because
    // it waits for the thread that calls here: hand out the last state saved
    // or loaded rather than read trees another thread may be in the middle of.
    {
        const std::lock_guard<std::mutex> hold(lastChunkMutex);
        if (lastChunk.getSize() > 0)
        {
            destData = lastChunk;
            return;
        }
    }
    // Nothing was ever saved or loaded: the blocked message thread is not
    // writing the trees, and a host asking for a state must get one.
    writeStateChunk(destData);
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
    if (auto document = zu::parseXmlGuarded(text))
        loadStateFromXML(document.get(), false, {});
}

void ZumiraboxAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 0)
        return;
    // JUCE's chunk for an XML text (see writeStateChunk). The text is read
    // straight into trees, and JUCE's parser takes what ours does not read,
    // unless it nests deeper than any state can (its recursion would
    // overflow the stack).
    constexpr juce::uint32 xmlChunkMagic = 0x21324356;
    if (sizeInBytes <= 8 || juce::ByteOrder::littleEndianInt(data) != xmlChunkMagic)
        return;
    const auto length = (size_t) juce::jlimit(0, sizeInBytes - 8,
                                              (int) juce::ByteOrder::littleEndianInt(juce::addBytesToPointer(data, 4)));
    const auto* text = static_cast<const char*>(data) + 8;

    // Parsed on the calling thread: the document is ours alone until loaded.
    auto document = zu::statetext::parseDocument(text, length);
    if (!document.has_value())
    {
        if (!zu::isXmlNestingWithin(text, length))
            return;
        auto xml = juce::parseXML(juce::String::fromUTF8(text, (int) length));
        if (xml == nullptr)
            return;
        document = zu::statetext::Document::fromXml(*xml);
    }

    ZuTreeAccess access;
    if (access.granted())
    {
        loadStateDocument(&*document, {});
        rememberChunk(data, (size_t) sizeInBytes);
        return;
    }
    // The message thread is blocked (see getStateInformation): it loads the
    // document as soon as it runs again, and a save before then hands out
    // what the host has just set.
    rememberChunk(data, (size_t) sizeInBytes);
    delete pendingLoad.exchange(new zu::statetext::Document(std::move(*document)), std::memory_order_acq_rel);
}

void ZumiraboxAudioProcessor::applyPendingLoad()
{
    std::unique_ptr<zu::statetext::Document> document(pendingLoad.exchange(nullptr, std::memory_order_acq_rel));
    if (document != nullptr)
        loadStateDocument(document.get(), {});
}

namespace
{
bool isReadableDocument(const zu::statetext::Document* document, const juce::String& tag)
{
    if (document == nullptr || !document->tag.equalsIgnoreCase(tag))
        return false;
    const auto* text = document->attribute("pluginVersion");
    const float version = text != nullptr ? text->getFloatValue() : 0.0f;
    return std::isfinite(version) && version >= oldestReadableVersion;
}

// Gives a live tree exactly the loaded content, in the loaded property order:
// copying alone keeps the live order and appends what the live tree lacked, so
// a property that an earlier document lacked would come back at the end and a
// later save would no longer give the bytes that were loaded.
// The loaded children are the document's own, so they move over rather than
// being copied.
void replaceContent(juce::ValueTree& live, juce::ValueTree loaded)
{
    bool sameOrder = live.getNumProperties() == loaded.getNumProperties();
    for (int i = 0; sameOrder && i < live.getNumProperties(); ++i)
        sameOrder = live.getPropertyName(i) == loaded.getPropertyName(i);
    if (!sameOrder)
        live.removeAllProperties(nullptr);
    zu::copyPropertiesInOrder(loaded, live);
    live.removeAllChildren(nullptr);
    while (loaded.getNumChildren() > 0)
    {
        auto child = loaded.getChild(0);
        loaded.removeChild(0, nullptr);
        live.appendChild(child, nullptr);
    }
}

// A numeric attribute, or the fallback when it is missing or not a finite number.
double readNumber(const zu::statetext::Document& document, const juce::Identifier& name, double fallback)
{
    const auto* text = document.attribute(name);
    if (text == nullptr)
        return fallback;
    const double v = text->getDoubleValue();
    return std::isfinite(v) ? v : fallback;
}
} // namespace

bool ZumiraboxAudioProcessor::isReadableStateDocument(const juce::XmlElement& document) const
{
    if (!document.getTagName().equalsIgnoreCase(stateTag) || !document.hasAttribute("pluginVersion"))
        return false;
    const float version = document.getStringAttribute("pluginVersion").getFloatValue();
    return std::isfinite(version) && version >= oldestReadableVersion;
}

void ZumiraboxAudioProcessor::loadStateFromXML(juce::XmlElement* document, bool, juce::String nameOfPreset)
{
    if (document == nullptr)
    {
        loadStateDocument(nullptr, nameOfPreset);
        return;
    }
    auto parsed = zu::statetext::Document::fromXml(*document);
    loadStateDocument(&parsed, nameOfPreset);
}

void ZumiraboxAudioProcessor::loadStateDocument(zu::statetext::Document* document, juce::String nameOfPreset)
{
    jassert(ZuTreeAccess::isHeldByThisThread());
    if (isReadableDocument(document, stateTag))
    {
        auto loadedParam = document->child("param");
        if (nameOfPreset.isNotEmpty() && loadedParam.isValid())
            loadedParam.setProperty("presetname", nameOfPreset, nullptr);

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
                    document->setAttribute(paramIdentifiers[(size_t) unitParamIndexList[(size_t) i]], juce::String(v));
                }
            if (scaleLocked)
                for (int index : scaleParamIndexList)
                {
                    float v = 0.0f;
                    getValueFromValueTree(v, index);
                    document->setAttribute(paramIdentifiers[(size_t) index], juce::String(v));
                }
        }

        // Which snapshot each unit's loaded trees hold is the document's to
        // say: its snapshot parameter, not the model, which host automation
        // on another thread may move at any moment.
        std::array<int, numUnits> loadedSnapshots{};
        for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
        {
            const double v = readNumber(*document, paramIdentifiers[(size_t) i], (double) paramProfile.getDefVal(i));
            const auto value =
                (float) juce::jlimit((double) paramProfile.getMinVal(i), (double) paramProfile.getMaxVal(i), v);
            if (const int unitId = paramRoutes[(size_t) i].unitId; unitId >= 1 && unitId <= numUnits)
                loadedSnapshots[(size_t) unitId - 1] = zu::toIntSaturating(value);
            setValueToValueTree(i, value);
        }

        if (const auto main = document->child("maintree"); main.isValid())
        {
            replaceContent(mainTree, main);
            globalData.loadCenterUnitStateFromString(mainTree.getProperty("ctstate", juce::String()).toString());
        }

        // The live trees now hold the snapshots the loaded parameters name. A
        // snapshot the models had picked up from a learnt controller belongs
        // to the replaced state.
        for (int unitId = 1; unitId <= numUnits; ++unitId)
        {
            setLiveSnapshotOfUnit(unitId, loadedSnapshots[(size_t) unitId - 1]);
            setPendingSnapshotOfUnit(unitId, -1);
        }

        if (const auto snaps = document->child("snapmain"); snaps.isValid())
            replaceContent(snapTree, snaps);

        if (loadedParam.isValid())
        {
            if (!startingUp)
                applyLockRules(loadedParam, chLocked, scaleLocked, rackChannels);
            syncValueTreeNotifyListeners(loadedParam, paramTree);
        }

        // The models reload every snapshot from the trees: the loaded document
        // may not store a snapshot that the replaced state had filled, and the
        // tree copies above pass on only the values that change.
        for (int kind = 0; kind < numKinds; ++kind)
            for (int index = 0; index < 4; ++index)
                syncUnitModelsFromTrees(kind, index);
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

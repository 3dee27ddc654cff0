// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelTreeCompare.h"

namespace zutest
{
int snapshotParameter(ZumiraboxAudioProcessor& p, int kind, int index)
{
    float v = 0.0f;
    p.getValueFromValueTree(v, p.kindSnapParamIndex[kind][index]);
    return zu::toIntSaturating(v);
}

namespace
{
using zu::units::firstIdOfKind;
using zu::units::unitsOfKind;

// Field by field: copies of these records carry padding bytes that differ
// between builds, so their bytes cannot be compared.
template <class T> bool same(T a, T b)
{
    if constexpr (std::is_floating_point_v<T>)
        return a == b || (a != a && b != b);
    else
        return a == b;
}
template <class T> bool same(const ZuAtomic<T>& a, const ZuAtomic<T>& b)
{
    return same(a.load(), b.load());
}

template <class P> bool sameParam(const P& a, const P& b)
{
    return same(a.value, b.value) && same(a.modSource[0], b.modSource[0]) && same(a.modSource[1], b.modSource[1]) &&
           same(a.modDepth[0], b.modDepth[0]) && same(a.modDepth[1], b.modDepth[1]) && same(a.modActive, b.modActive);
}

bool sameClock(const SeqDataBase::SeqClockFields& a, const SeqDataBase::SeqClockFields& b)
{
    return same(a.rst, b.rst) && same(a.csync, b.csync) && same(a.fclk, b.fclk) && same(a.clktyp, b.clktyp) &&
           sameParam(a.dir, b.dir) && sameParam(a.strt, b.strt) && sameParam(a.size, b.size) &&
           sameParam(a.sclk, b.sclk);
}

template <class Steps, class SameStep> bool sameSteps(const Steps& a, const Steps& b, SameStep&& sameStep)
{
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameStep(a[i], b[i]))
            return false;
    return true;
}

bool sameFields(const CtrPtchSqData::SnapData& a, const CtrPtchSqData::SnapData& b)
{
    return sameClock(a, b) && same(a.relmode, b.relmode) && sameParam(a.relbn, b.relbn) && sameParam(a.goct, b.goct) &&
           sameParam(a.tp, b.tp) &&
           sameSteps(a.steps, b.steps,
                     [](const auto& x, const auto& y)
                     {
                         return sameParam(x.pch, y.pch) && sameParam(x.relpch, y.relpch) && sameParam(x.oct, y.oct) &&
                                sameParam(x.vel, y.vel) && sameParam(x.gate, y.gate) && sameParam(x.prob, y.prob) &&
                                sameParam(x.slr, y.slr) && sameParam(x.spwr, y.spwr);
                     });
}

bool sameFields(const CtrPrmSqData::SnapData& a, const CtrPrmSqData::SnapData& b)
{
    for (size_t t = 0; t < a.tar.size(); ++t)
        if (!same(a.tar[t], b.tar[t]))
            return false;
    return sameClock(a, b) && sameSteps(a.steps, b.steps,
                                        [](const auto& x, const auto& y)
                                        {
                                            return sameParam(x.sval, y.sval) && same(x.emenu, y.emenu) &&
                                                   sameParam(x.prob, y.prob) && sameParam(x.spwr, y.spwr);
                                        });
}

bool sameFields(const CtrCcSqData::SnapData& a, const CtrCcSqData::SnapData& b)
{
    return sameClock(a, b) && same(a.tarcc, b.tarcc) && same(a.omin, b.omin) && same(a.omax, b.omax) &&
           sameSteps(a.steps, b.steps,
                     [](const auto& x, const auto& y)
                     { return sameParam(x.sval, y.sval) && sameParam(x.prob, y.prob) && sameParam(x.spwr, y.spwr); });
}

bool sameFields(const CtrOctSqData::SnapData& a, const CtrOctSqData::SnapData& b)
{
    return sameClock(a, b) && sameSteps(a.steps, b.steps,
                                        [](const auto& x, const auto& y)
                                        {
                                            return sameParam(x.stp, y.stp) && sameParam(x.soct, y.soct) &&
                                                   sameParam(x.prob, y.prob) && sameParam(x.spwr, y.spwr);
                                        });
}

bool sameFields(const CtrCcRackData::SnapData& a, const CtrCcRackData::SnapData& b)
{
    return sameSteps(a.knobs, b.knobs,
                     [](const auto& x, const auto& y)
                     {
                         return same(x.kpwr, y.kpwr) && same(x.ktarcc, y.ktarcc) && same(x.kch, y.kch) &&
                                same(x.kmin, y.kmin) && same(x.kmax, y.kmax) && sameParam(x.kval, y.kval);
                     });
}

// The tree values of a modulation slot (its outputs and flags are not).
bool sameSlot(const LfoData::ModUnitData& a, const LfoData::ModUnitData& b)
{
    bool equal = a.pwr == b.pwr && a.engn == b.engn && a.bsahm == b.bsahm && a.bwf == b.bwf && a.bbi == b.bbi &&
                 a.csync == b.csync && a.clktyp == b.clktyp && a.bphi == b.bphi && a.bexp == b.bexp &&
                 a.bsat == b.bsat && sameParam(a.ksr, b.ksr) && sameParam(a.kfr, b.kfr) && sameParam(a.kph, b.kph) &&
                 sameParam(a.kos, b.kos) && sameParam(a.ksm, b.ksm) && sameParam(a.klv, b.klv);
    for (size_t w = 0; w < a.prb.size(); ++w)
        equal = equal && a.prb[w].load() == b.prb[w].load();
    return equal;
}

// What the trees say a unit's snapshot holds: the live trees for the snapshot
// its parameter names, the stored snapshot, or the trees' defaults.
juce::ValueTree unitSnapshotSaid(ZumiraboxAudioProcessor& p, int kind, int index, int s)
{
    const auto name = zu::units::nodeName(kind, index);
    if (s == snapshotParameter(p, kind, index))
        return p.paramTree.getChildWithName("seqmain").getChildWithName(name).createCopy();
    const auto unit = p.snapTree.getChildWithName(name);
    const auto stored = unit.getChildWithName("snap" + juce::String(s + 1));
    return (stored.getNumProperties() > 0 ? stored : unit.getChildWithName("snapdef")).createCopy();
}

juce::ValueTree slotSaid(ZumiraboxAudioProcessor& p, int kind, int index, int s, int k)
{
    juce::ValueTree bare("slot");
    if (s == snapshotParameter(p, kind, index))
    {
        const auto live = p.paramTree.getChildWithName("modmain")
                              .getChildWithName(zu::units::modNodeName(kind, index))
                              .getChildWithName("mod" + juce::String(k));
        for (int i = 0; i < live.getNumProperties(); ++i)
            bare.setProperty(live.getPropertyName(i).toString().substring(7), live.getProperty(live.getPropertyName(i)),
                             nullptr);
        return bare;
    }
    const auto modSnaps = p.snapTree.getChildWithName("modsnapmain");
    const auto stored = modSnaps.getChildWithName(zu::units::modSnapNodeName(kind, index))
                            .getChildWithName("snap" + juce::String(s + 1))
                            .getChildWithName("unit" + juce::String(k));
    return (stored.getNumProperties() > 0 ? stored : modSnaps.getChildWithName("moddef")).createCopy();
}

// Loads what the trees say into fresh models with the models' own loaders and
// compares every snapshot; returns the first difference, empty when none.
template <class Model> std::string compareUnitModel(ZumiraboxAudioProcessor& p, Model& live, int kind)
{
    auto fresh = std::make_unique<Model>();
    fresh->createParamMap();
    juce::ValueTree said("snapmain");
    for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
    {
        juce::ValueTree unit(zu::units::nodeName(kind, index));
        for (int s = 0; s < 8; ++s)
        {
            auto snap = unitSnapshotSaid(p, kind, index, s);
            juce::ValueTree named("snap" + juce::String(s + 1));
            named.copyPropertiesFrom(snap, nullptr);
            unit.appendChild(named, nullptr);
        }
        said.appendChild(unit, nullptr);
    }
    if constexpr (std::is_same_v<Model, CtrOctSqData>)
        fresh->setSnapshotStatesFromValueTree(said);
    else
        fresh->setSnapshotStatesFromValueTree(said, unitsOfKind[(size_t) kind]);

    for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
        for (int s = 0; s < 8; ++s)
            if (!sameFields(live.units[(size_t) index].snaps[(size_t) s],
                            fresh->units[(size_t) index].snaps[(size_t) s]))
                return "unit " + std::to_string(firstIdOfKind[(size_t) kind] + index) + " snapshot " +
                       std::to_string(s);
    return {};
}

std::string compareSlots(ZumiraboxAudioProcessor& p)
{
    auto reader = std::make_unique<LfoData>();
    for (int kind = 0; kind < 5; ++kind)
        for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
        {
            const int unit = LfoData::unitFromKindIndex(kind, index);
            for (int s = 0; s < 8; ++s)
            {
                juce::ValueTree said("snap");
                for (int k = 1; k <= 8; ++k)
                {
                    juce::ValueTree slot("unit" + juce::String(k));
                    slot.copyPropertiesFrom(slotSaid(p, kind, index, s, k), nullptr);
                    said.appendChild(slot, nullptr);
                }
                auto snap = std::make_unique<LfoData::SnapData>();
                reader->loadSnapDataFromVt(said, *snap);
                for (size_t k = 0; k < 8; ++k)
                    if (!sameSlot(p.lfoData.unitSnaps[(size_t) unit][(size_t) s].slots[k], snap->slots[k]))
                        return "modulation slot " + std::to_string(k + 1) + " of unit " + std::to_string(unit + 1) +
                               " snapshot " + std::to_string(s);
            }
        }
    return {};
}

} // namespace

// Every model snapshot of every unit equals what the trees say, and each
// unit's model plays the snapshot its parameter names.
std::string modelsAgainstTrees(ZumiraboxAudioProcessor& p)
{
    for (int kind = 0; kind < 5; ++kind)
        for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
            if (p.currentSnapshotOfUnit(firstIdOfKind[(size_t) kind] + index) != snapshotParameter(p, kind, index))
                return "current snapshot of unit " + std::to_string(firstIdOfKind[(size_t) kind] + index);
    for (auto text : {compareUnitModel(p, p.pitchSeqData, 0), compareUnitModel(p, p.paramSeqData, 1),
                      compareUnitModel(p, p.ccSeqData, 2), compareUnitModel(p, p.octTpSeqData, 3),
                      compareUnitModel(p, p.ccRackData, 4), compareSlots(p)})
        if (!text.empty())
            return text;
    return {};
}

// Sets a random value on a random numeric property of a unit's live trees.
void randomEdit(ZumiraboxAudioProcessor& p, std::mt19937& rng)
{
    const int kind = (int) (rng() % 5);
    const int index = (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
    const auto name = zu::units::nodeName(kind, index);
    auto node = rng() % 3 == 0 ? p.paramTree.getChildWithName("modmain")
                                     .getChildWithName(zu::units::modNodeName(kind, index))
                                     .getChildWithName("mod" + juce::String(1 + rng() % 8))
                               : p.paramTree.getChildWithName("seqmain").getChildWithName(name);
    if (node.getNumProperties() == 0)
        return;
    for (int tries = 0; tries < 8; ++tries)
    {
        const auto id = node.getPropertyName((int) (rng() % (unsigned) node.getNumProperties()));
        const auto& v = node.getProperty(id);
        if (v.isInt())
        {
            node.setProperty(id, (int) (rng() % 4), nullptr);
            return;
        }
        if (v.isDouble())
        {
            node.setProperty(id, (double) (float) (rng() % 1000) / 100.0, nullptr);
            return;
        }
    }
}
} // namespace zutest

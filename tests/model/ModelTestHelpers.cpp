// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelTestHelpers.h"

FieldList fieldsOf(const CtrPtchSqData& m, bool withNames)
{
    FieldList f(withNames);
    for (int u = 0; u < CtrPtchSqData::numUnits; ++u)
    {
        const auto& unit = m.units[(size_t) u];
        addHeader(f, unit, u);
        for (int s = 0; s < 8; ++s)
        {
            const auto& snap = unit.snaps[(size_t) s];
            const auto head = unitName(u, s);
            addClockFields(f, snap, u, s);
            f.add(snap.relmode ? 1.0 : 0.0, [&] { return head + "relmode"; });
            f.addParam(snap.relbn, [&] { return head + "relbn"; });
            f.addParam(snap.goct, [&] { return head + "goct"; });
            f.addParam(snap.tp, [&] { return head + "tp"; });
            for (int n = 0; n < 32; ++n)
            {
                const auto& st = snap.steps[(size_t) n];
                f.addParam(st.pch, [&] { return stepName(u, s, n, "pch"); });
                f.addParam(st.relpch, [&] { return stepName(u, s, n, "relpch"); });
                f.addParam(st.oct, [&] { return stepName(u, s, n, "oct"); });
                f.addParam(st.vel, [&] { return stepName(u, s, n, "vel"); });
                f.addParam(st.gate, [&] { return stepName(u, s, n, "gate"); });
                f.addParam(st.prob, [&] { return stepName(u, s, n, "prob"); });
                f.addParam(st.slr, [&] { return stepName(u, s, n, "slr"); });
                f.addParam(st.spwr, [&] { return stepName(u, s, n, "spwr"); });
            }
        }
    }
    return f;
}

FieldList fieldsOf(const MirabelGlobalData& m, bool withNames)
{
    FieldList f(withNames);
    auto idx = [](const char* name, size_t i) { return std::string(name) + "[" + std::to_string(i) + "]"; };
    f.add(m.gch.load(), [] { return std::string("gch"); });
    f.addParam(m.swing, [] { return std::string("swing"); });
    for (size_t i = 0; i < m.swgTar.size(); ++i)
        f.add(m.swgTar[i] ? 1 : 0, [&] { return idx("swgTar", i); });
    f.addParam(m.goct, [] { return std::string("goct"); });
    f.addParam(m.gtp, [] { return std::string("gtp"); });
    for (size_t i = 0; i < m.goctTpTar.size(); ++i)
        f.add(m.goctTpTar[i] ? 1 : 0, [&] { return idx("goctTpTar", i); });
    f.add(m.clkReset ? 1 : 0, [] { return std::string("clkReset"); });
    f.add(m.clkResync ? 1 : 0, [] { return std::string("clkResync"); });
    for (size_t i = 0; i < m.rebtnTar.size(); ++i)
        f.add(m.rebtnTar[i] ? 1 : 0, [&] { return idx("rebtnTar", i); });
    f.add(m.recLength.load(), [] { return std::string("recLength"); });
    for (size_t t = 0; t < m.recTargets.size(); ++t)
        for (size_t u = 0; u < m.recTargets[t].size(); ++u)
            f.add(m.recTargets[t][u] ? 1 : 0, [&] { return idx("recTargets", t) + "[" + std::to_string(u) + "]"; });
    f.add(m.midiMute ? 1 : 0, [] { return std::string("midiMute"); });
    f.add(m.midiThru ? 1 : 0, [] { return std::string("midiThru"); });
    f.add(m.midiChLock ? 1 : 0, [] { return std::string("midiChLock"); });
    f.add(m.scaleLock ? 1 : 0, [] { return std::string("scaleLock"); });
    f.add(m.chrPwr ? 1 : 0, [] { return std::string("chrPwr"); });
    f.add(m.chrSize.load(), [] { return std::string("chrSize"); });
    f.add(m.chrSpd.load(), [] { return std::string("chrSpd"); });
    for (size_t t = 0; t < m.chrSteps.size(); ++t)
        for (size_t s = 0; s < m.chrSteps[t].size(); ++s)
            f.add(m.chrSteps[t][s].load(), [&] { return idx("chrSteps", t) + "[" + std::to_string(s) + "]"; });
    for (size_t i = 0; i < m.chrTargets.size(); ++i)
        f.add(m.chrTargets[i].load(), [&] { return idx("chrTargets", i); });
    f.add(m.midiTp ? 1 : 0, [] { return std::string("midiTp"); });
    // Fields no key writes: they must never move.
    f.add(m.chrCurStep.load(), [] { return std::string("chrCurStep"); });
    f.add(m.midiTpNote.load(), [] { return std::string("midiTpNote"); });
    f.add(m.forceResync ? 1 : 0, [] { return std::string("forceResync"); });
    f.add(m.octTpOn ? 1 : 0, [] { return std::string("octTpOn"); });
    f.add(m.centerUnitsChanged ? 1 : 0, [] { return std::string("centerUnitsChanged"); });
    for (size_t i = 0; i < m.curSteps.size(); ++i)
        f.add(m.curSteps[i].load(), [&] { return idx("curSteps", i); });
    return f;
}

FieldList fieldsOf(const CtrPrmSqData& m, bool withNames)
{
    FieldList f(withNames);
    for (int u = 0; u < CtrPrmSqData::numUnits; ++u)
    {
        const auto& unit = m.units[(size_t) u];
        addHeader(f, unit, u);
        for (int s = 0; s < 8; ++s)
        {
            const auto& snap = unit.snaps[(size_t) s];
            const auto head = unitName(u, s);
            addClockFields(f, snap, u, s);
            for (size_t k = 0; k < 4; ++k)
                f.add(snap.tar[k] ? 1.0 : 0.0, [&] { return head + "tar" + std::to_string(k + 1); });
            for (int n = 0; n < 32; ++n)
            {
                const auto& st = snap.steps[(size_t) n];
                f.addParam(st.sval, [&] { return stepName(u, s, n, "sval"); });
                f.add(st.emenu.load(), [&] { return stepName(u, s, n, "emenu"); });
                f.addParam(st.prob, [&] { return stepName(u, s, n, "prob"); });
                f.addParam(st.spwr, [&] { return stepName(u, s, n, "spwr"); });
            }
        }
    }
    return f;
}

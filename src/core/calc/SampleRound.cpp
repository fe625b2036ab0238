#include "calc/SampleRound.h"

#include "calc/Conditions.h"
#include "calc/EngineRandom.h"
#include "calc/Probabilities.h"

#include <algorithm>
#include <string>

namespace vdx {

PoolsDocument MakeSampleRound(int matches, int lines, uint32_t seed) {
    PoolsDocument doc;
    doc.setMatchCount(matches);
    doc.setLineCount(lines);
    for (MatchEntry& m : doc.matches) m.noDuplicates = false;
    for (bool& on : doc.conditionEnabled) on = false;
    // A generator of its own: making a document must not move the program's one.
    EngineRandom random;
    random.Seed(seed);
    for (int i = 0; i < doc.matchCount; ++i) {
        MatchEntry& m = doc.match(i);
        m.name = "Home " + std::to_string(i + 1) + " - Away " + std::to_string(i + 1);
        const int favourite = 400 + random.RandomUpTo(250);
        const int draw = std::min(220 + random.RandomUpTo(80), 950 - favourite);
        const int outsider = 1000 - favourite - draw;
        // Most favourites play at home.
        if (random.RandomUpTo(9) < 7)
            m.chances = {favourite, outsider};
        else
            m.chances = {outsider, favourite};
        UpdateProbabilities(m);
        PlanTipCounts(m, doc.lineCount, random);
    }
    RecomputeConditionBookkeeping(doc, true);
    doc.modified = false;
    return doc;
}

} // namespace vdx

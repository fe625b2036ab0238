// Writes the uncalculated example round; `vdxtool calc` then calculates its lines.
// Usage: make_example OUT.vdx

#include "calc/Conditions.h"
#include "calc/Probabilities.h"
#include "document/VdxFile.h"

#include <cstdio>

using namespace vdx;

namespace {

struct ExampleMatch {
    const char* name;
    int chance1, chance2;       // per mille, -1 when odds are given
    int odds[2][3];             // two bookmakers, times 100
    int result;
    const char* notes;
};

const ExampleMatch kMatches[12] = {
    {"Rivermouth Rovers - Eastbrook Athletic", 550, 200, {}, 0, "Rovers unbeaten at home"},
    {"FC Grünwald - SV Möwenfeld", -1, -1, {{185, 340, 420}, {190, 330, 400}}, 1, ""},
    {"Harbour City - Northvale United", 420, 280, {}, 2, "Northvale without their keeper"},
    {"Kingsmere Town - Oldcastle Wanderers", -1, -1, {{240, 310, 290}, {250, 300, 280}}, 0, ""},
    {"Sporting Valdeira - Atlético Ribeira", 480, 240, {}, -1, "Derby"},
    {"Union Ellerbach - Borussia Kalkstein", -1, -1, {{160, 390, 520}, {155, 400, 550}}, -1, ""},
    {"Westport Albion - Greyhill Rangers", 400, 300, {}, -1, ""},
    {"Real Montaña - CD Puerto Azul", -1, -1, {{210, 320, 350}, {205, 330, 360}}, -1, "Played on Sunday"},
    {"Stirling Bridge - Ashford Park", 650, 120, {}, -1, ""},
    {"Olympique Saint-Aubin - AS Belcourt", -1, -1, {{290, 300, 245}, {280, 310, 250}}, -1, ""},
    {"Lakeside Dynamo - Cedar Hill", 350, 350, {}, -1, "Both teams in form"},
    {"VfR Tannenberg - TuS Eichwald", -1, -1, {{175, 360, 450}, {180, 350, 440}}, -1, ""},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_example OUT.vdx\n");
        return 2;
    }
    AppConfig config;
    config.options.matchCount = 12;
    config.options.lineCount = 20;
    config.options.linesPerTicket = 12;
    PoolsDocument doc(config);
    for (int i = 0; i < 12; ++i) {
        const ExampleMatch& e = kMatches[i];
        MatchEntry& m = doc.match(i);
        m.name = e.name;
        m.notes = e.notes;
        m.result = e.result;
        if (e.chance1 >= 0) {
            m.chances = {e.chance1, e.chance2};
        } else {
            for (const auto& o : e.odds) m.odds.push_back(OddsEntry{{o[0], o[1], o[2]}});
        }
        UpdateProbabilities(m);
        PlanTipCounts(m, doc.lineCount, GlobalRandom());
    }
    RecomputeConditionBookkeeping(doc, true);
    WriteResult r = SaveVdxFile(argv[1], doc);
    if (!r.ok) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

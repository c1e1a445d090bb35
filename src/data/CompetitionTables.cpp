#include "data/CompetitionTables.h"

namespace competition {

const std::vector<Table>& tables() {
  using K = ColumnKind;
  static const std::vector<Column> judge = {{"zek", K::Text, 10}, {"name", K::Text, 40}, {"team", K::Text, 40},
                                            {"sumi", K::Text, 4}, {"ap", K::Figure},     {"lp", K::Figure},
                                            {"op", K::Figure},    {"tp", K::Figure}};
  static const std::vector<Table> all = {
      {"newzek", {{"tcode", K::Text, 10}, {"tstno", K::Text, 10}, {"nzek", K::Text, 10}, {"sumi", K::Text, 4}}},
      {"hon", {{"hon", K::Text, 4}}},
      {"race",
       {{"tcode", K::Text, 10}, {"zek", K::Text, 10},   {"code", K::Text, 20},    {"name", K::Text, 40},
        {"namek", K::Text, 40}, {"namee", K::Text, 40}, {"syozoku", K::Text, 40}, {"class1", K::Text, 10},
        {"speed1", K::Figure},  {"speed2", K::Figure},  {"dist1", K::Figure},     {"dist2", K::Figure},
        {"distp1", K::Figure},  {"distp2", K::Figure},  {"h1t", K::Figure},       {"h2t", K::Figure},
        {"totalp1", K::Total},  {"totalp2", K::Total},  {"totalpt", K::Total},    {"tspeed1", K::Figure},
        {"tspeed2", K::Figure}, {"tspeed3", K::Figure}, {"tdist1", K::Figure},    {"tdist2", K::Figure},
        {"tdist3", K::Figure},  {"tno", K::Text, 10},   {"kno", K::Text, 10},     {"tpoint1", K::Total},
        {"tpoint2", K::Total},  {"tpointt", K::Total},  {"st1", K::Integer},      {"st2", K::Integer}}},
      {"dantai",
       {{"tcode", K::Text, 10},
        {"tno", K::Text, 10},
        {"name", K::Text, 40},
        {"tpoint1", K::Total},
        {"tpoint2", K::Total},
        {"tpointt", K::Total}}},
      {"judgea", judge},
      {"judgeb", judge},
      {"judgec", judge},
      {"judged", judge},
      {"judgee", judge},
  };
  return all;
}

}  // namespace competition

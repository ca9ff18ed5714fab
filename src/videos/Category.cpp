#include "videos/Category.h"

namespace Videos {

const std::array<Category, 6> &categories()
{
    static const std::array<Category, 6> table = {{
        {"restaurants", "Restaurants", 1, 0, "p1_restaurants", "Label17", "l1_restaurants",
         "Command61", "Command46", "Command53", "Command24", "Command25"},
        {"plages", "Plages", 1, 1, "p2_plages", "Label18", "l2_plages",
         "Command62", "Command48", "Command54", "Command26", "Command27"},
        {"night", "Night", 1, 2, "p3_night", "Label19", "l3_night",
         "Command63", "Command49", "Command55", "Command28", "Command29"},
        {"boutiques", "Boutiques", 2, 0, "p4_boutiques", "Label20", "l4_boutiques",
         "Command66", "Command50", "Command56", "Command30", "Command31"},
        {"services", "Services", 2, 1, "p5_services", "Label21", "l5_services",
         "Command65", "Command51", "Command57", "Command32", "Command33"},
        {"documentaires", "Documentaires", 2, 2, "p6_docs", "Label22", "l6_docs",
         "Command64", "Command52", "Command58", "Command34", "Command35", 1335},
    }};
    return table;
}

} // namespace Videos

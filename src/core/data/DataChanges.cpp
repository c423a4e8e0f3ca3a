#include "data/DataChanges.h"

DataChanges& DataChanges::instance() {
    static DataChanges changes;
    return changes;
}

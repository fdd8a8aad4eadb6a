#include "BenchData.h"

#include "DataLines.h"
#include "SampleData.h"

const DrawTable& benchDrawTable() {
    static const DrawTable table = drawTableOf(makeSampleFiles(kBenchDraws).drawResults);
    return table;
}

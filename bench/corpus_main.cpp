#include <cstdlib>
#include <iostream>

#include "corpus_generator.h"

// zvk_bench_corpus FOLDER [LISTS [ITEMS_PER_LIST [SEED]]]: writes a corpus of data
// lists for trying reports by hand.
int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::cerr << "usage: zvk_bench_corpus FOLDER [LISTS [ITEMS_PER_LIST [SEED]]]\n";
        return 2;
    }
    zvk::bench::CorpusShape shape;
    if (argc > 2)
        shape.lists = std::atoi(argv[2]);
    if (argc > 3)
        shape.itemsPerList = std::atoi(argv[3]);
    if (argc > 4)
        shape.seed = static_cast<std::uint32_t>(std::atol(argv[4]));
    const long items = zvk::bench::GenerateCorpus(argv[1], shape);
    std::cout << shape.lists << " lists, " << items << " items in " << argv[1] << '\n';
    return 0;
}

// Fuzz harness: .bof and .baf models with their edge tables; the first byte chooses the format.
#include <string>

#include "fuzz_target.h"
#include "render3d/model.h"
#include "render3d/model_load.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) {
        return 0;
    }
    Model model = {};
    std::string detail;
    if (data[0] & 1) {
        read_baf_model(data + 1, size - 1, &model, &detail);
    } else {
        read_bof_model(data + 1, size - 1, &model, &detail);
    }
    free_model(&model);
    return 0;
}

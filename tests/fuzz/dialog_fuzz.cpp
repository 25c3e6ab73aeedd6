// Fuzzes the dialog template reader and the bitmap reader of the dialog's
// picture: the same bytes go to both, and whatever they accept is walked
// through as the dialog host would.
#include <cstddef>
#include <cstdint>

#include "formats/dialog_template.h"
#include "formats/dib_picture.h"

namespace {

volatile size_t sink;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t sum = 0;
    DialogTemplate dialog;
    if (ParseDialogTemplate(data, size, dialog)) {
        sum += dialog.caption.size() + dialog.typeface.size();
        for (const DialogItemTemplate& item : dialog.items) sum += item.text.text.size() + item.controlClass.number;
    }
    DibPicture picture;
    if (DecodeDib(data, size, picture)) {
        // Every pixel the reader claims to hold is there.
        for (size_t i = 0; i < picture.rgb.size(); i += 97) sum += picture.rgb[i];
        sum += picture.rgb.size() == static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3;
    }
    sink = sum;
    return 0;
}

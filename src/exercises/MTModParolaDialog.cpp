#include "exercises/MTModParolaDialog.h"

MTModParolaDialog::MTModParolaDialog(int* result, int cx, int cy, const char* prompt, char* word, int maxLength)
    : TGetNameDialog(cx, cy, prompt, word, maxLength, dialog::kSaveBackground, kWordCharacters), result_(result)
{
}

bool MTModParolaDialog::Accept()
{
    if (!buffer_[0])
        return false;
    *result_ = 1;
    return true;
}

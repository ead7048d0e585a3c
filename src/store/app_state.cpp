#include "store/app_state.h"

#include "store/word_file.h"

void AppState::save() const
{
    SaveLines(Memo1, path);
}

#pragma once
// Message boxes and the open and save file dialogs, all modal forms of our own.
#include "ui/FileDialog.h"
#include "ui/Forms.h"
#include "ui/MessageBox.h"

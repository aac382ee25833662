#pragma once
// Everything of the runtime layer in one include, for the windows.
#include "platform/runtime/application.h"
#include "platform/runtime/calculator.h"
#include "platform/runtime/error.h"
#include "platform/runtime/files.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/printer.h"
#include "platform/runtime/sound.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"

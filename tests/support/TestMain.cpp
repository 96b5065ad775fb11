#include "MessageBoxScript.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A real message box would wait for a person for ever.
    AfxSetMessageBoxHook(&UnexpectedMessageBox);
    // No system error dialogs either (a missing DLL, a failed drive).
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#pragma once

// Lets a module use the user-interface extension library; called once when it is mapped.
void InitAcUiDLL();

#pragma once
// Resource ids of the sample DLL (its dialog template) and its exports.

#define IDD_SAMPLE 100
#define IDC_SAMPLE_NAME 1001
#define IDC_SAMPLE_COUNT 1002

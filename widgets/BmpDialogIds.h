#pragma once
// The child dialog template of the picture file dialog, which the program
// carries in its own resources (widgets/BmpDialog.rc). Plain defines: the
// resource compiler reads this file too.

#define KQ_BMP_DIALOG_TEMPLATE 5000
#define KQ_BMP_PREVIEW_BOX 5001
#define KQ_BMP_WIDTH_TEXT 5002
#define KQ_BMP_HEIGHT_TEXT 5003
#define KQ_BMP_COLOURS_TEXT 5004
#define KQ_BMP_SIZE_TEXT 5005
#define KQ_BMP_SHOW_PREVIEW 5006

#pragma once
// The one dialog template of the empty-dialog yardstick.

#define IDD_EMPTYDIALOG 100

// Switching the grid between hexadecimal and decimal.
#pragma once

void HexClick();
void DecClick();

#pragma once

class DataModule;

// Resets the district, as one action after a backup: P1 to one placeholder record of zeros, S1 to zeros,
// TEMP_TLAC to an empty name, and no attachment set aside.
void vymaz_databazu(DataModule &data);

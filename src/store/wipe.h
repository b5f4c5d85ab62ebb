#pragma once

class DataModule;

// Resets the district: P1 to one placeholder record of zeros, S1 to zeros, TEMP_TLAC to an empty name.
void vymaz_databazu(DataModule &data);

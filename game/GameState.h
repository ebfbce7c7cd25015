// PincerPanic's state: every game variable is a global Number and every table a checked
// numeric array, as in the runtime's command language. The routines of the game are declared
// here too, grouped by the file that holds them.
#pragma once

#include "vornic.h"

// Game flow (GameFlow.cpp).
extern double LastCrab;     // index of the last crab; a level has LastCrab + 1 crabs
extern double Level;        // number of the level being played
extern double Lives;        // tries left
extern double TotalRescued; // crabs rescued in all won levels
extern double CrabSpeed;    // crab speed factor from the option screen (1, 2 or 4)
extern double HeroSpeed;    // mouse factor from the option screen (1, 2 or 4)
extern double FullScreen;   // 1 when the player chose full screen
extern double ScreenIsFull; // 1 while the screen is switched to full screen
extern double StepBase;     // base of the per-frame movement step
extern double FrameFactor;  // duration of the previous frame in units of 100 ms
extern double StepFactor;   // movement step of the crabs: StepBase * FrameFactor
extern double HeroX, HeroZ; // hero position on the ground plane
extern double HealthyCount, InfectedCount, KilledCount, RescuedCount; // recounted every frame
extern double FinishLevel;                                // 1 once the finish-level keys were held
extern double MouseX, MouseY, MouseButton1, MouseButton2; // read at the start of every frame

// Crabs and virus (Crabs.cpp). Rows 0..LastCrab are the crabs; row LastCrab + 1 of
// CrabHeading is the hero's heading.
extern NumArray CrabHeading;   // heading in degrees about the vertical axis
extern NumArray CrabPosition;  // columns kCrabX, kCrabZ (a third column is unused)
extern NumArray CrabVelocity;  // step per frame, columns kCrabX, kCrabZ
extern NumArray CrabStatus;    // columns kWanderClock, kWanderDuration, kCrabState
extern NumArray CrabCell;      // columns kCellColumn, kCellRow, kNextInCell, kPreviousInCell
extern NumArray CellFirstCrab; // per cell (column, row): its first crab + 1, 0 when empty
extern double VirusClock;      // time to the next random infection; runs on between games
extern double GroundBlinkClock, GroundBlinkPhase; // arrow blink of the ground

// Hero and stamp (Hero.cpp).
extern double HeroDX, HeroDZ; // the step taken from the mouse in this frame
extern double StampAngle;     // rotation of the stamp, 0..350 degrees
extern double StampPhase;     // phase of the stamp's bobbing in degrees
extern double StampHeight;    // height of the stamp above the ground, 0..200

// Screens and status lines (Screens.cpp, StatusLines.cpp).
extern double CrabTotal;     // crabs of the level, counted over all four states
extern double StillNeeded;   // rescues still missing to win the level, never below 0
extern double ResultApplied; // 1 once the level result was booked on the result screen
extern double SpaceArmed;    // 1 once space was seen up: the next press of space counts

// Columns of the crab arrays.
const int kCrabX = 0;
const int kCrabZ = 1;
const int kWanderClock = 0;
const int kWanderDuration = 1;
const int kCrabState = 2;
// Columns of CrabCell: the cell the crab stands in and its neighbours in the cell's list, each
// as crab + 1, 0 for none.
const int kCellColumn = 0;
const int kCellRow = 1;
const int kNextInCell = 2;
const int kPreviousInCell = 3;

// Crab states (column kCrabState of CrabStatus).
const int kHealthy = 0;
const int kInfected = 1;
const int kKilled = 2;
const int kRescued = 3;

// Key codes the game reads.
const int kKeySpace = 57;
const int kKeyA = 30;
const int kKeyB = 48;
const int kKeyC = 46;
const int kKeyU = 22;

// Field limits; crabs that reach the water line leave the field.
const double kFieldLeft = -930;
const double kFieldRight = 930;
const double kFieldBack = -4640;
const double kWaterLine = 5000;

// Assets.cpp
void LoadAssets();

// GameFlow.cpp
void SetStartValues();
void PlayLevels();
void StartLevel();
// Runs one frame of play; gives 1 while the level goes on, 0 once it is over.
double PlayFrame();
void MeasureStep();

// Crabs.cpp
void ChooseGroundTexture();
void HandleCrabs();
void CrabStep(double i);
void FileCrabsInCells();
void UpdateCrabCell(double i);
void CrabFlee(double i);
void TurnTowards(double vx, double vz, double row);
void RandomInfection();

// Hero.cpp
void HeroStep();
void CheatKeys(double i);

// Screens.cpp
void TitleScreen();
void OptionScreen();
void OptionClicks();
void LevelResultScreen();
void GameOverScreen();
double FreshSpacePress();

// StatusLines.cpp
void StatusDisplay();

// Display options, messages and colours of the window program.
#include "viewlogic.h"
#include "tamzor.h"

int AxesOnOff = 0;
int CapturedOnOff = 1;
int editing_option = 0;
int menu_mesh_pieces = 0;
int mainWindow = 0;
char info_string[192] = "";
int panel_on = 1;
int cell_names_on = 0;
int computer_side = TAMZOR_OFF;
bool console_log = false;
LAYOUT_T view_layout = ViewLayout(800, 800, true);
int pointer_x = -1, pointer_y = -1;
STEPPED_T stepped;
LINE_INPUT_C cell_prompt;
bool help_open = false;
int help_first = 0;
PROMOTION_CHOICE_T promotion_choice;

const COLOR_T piece_color_white = {0.9f, 0.9f, 0.7f, 0};
const COLOR_T piece_color_black = {0.6f, 0.6f, 0.8f, 0};
const COLOR_T square_color_white = {0.65f, 0.65f, 0.65f, 0};
const COLOR_T square_color_black = {0.45f, 0.45f, 0.45f, 0};
const COLOR_T square_color_selected = {1.0f, 0.25f, 0.0f, 0};
const COLOR_T color_red = {1, 0, 0, 0};
const COLOR_T color_orange = {1, 0.5f, 0, 0};
const COLOR_T color_green = {0, 1, 0, 0};
const COLOR_T color_magenta = {1, 0, 1, 0};
const COLOR_T color_blue = {0, 0, 1, 0};
const COLOR_T color_cyan = {0.2f, 0.8f, 0, 0};
const COLOR_T color_yellow = {1, 1, 0, 0};
const COLOR_T color_white = {1, 1, 1, 0};
const COLOR_T color_last_move = {0.35f, 0.55f, 0.95f, 0};
const COLOR_T color_check = {0.85f, 0.1f, 0.1f, 0};

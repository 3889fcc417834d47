// The saved-game image, written field by field so that pointer fields and
// the padding between fields are always zero.
#include <cstring>
#include <type_traits>

#include "tamzor.h"
#include "shell/shell.h"

namespace {
#define PUT(base, rec, field) memcpy((base) + offsetof(std::remove_reference_t<decltype(rec)>, field), &(rec).field, sizeof (rec).field)

void PutMove(unsigned char* out, const MOVE_T& m) {
    PUT(out, m, from);
    PUT(out, m, to);
    PUT(out, m, v);
    PUT(out, m, piece_moving);
    PUT(out, m, move_symbol);
    PUT(out, m, check);
}

void PutPosition(unsigned char* out, const POS_T& p) {
    PUT(out, p, whereis_board);
    PUT(out, p, whites_board);
    PUT(out, p, hash1);
    PUT(out, p, hash2);
    PUT(out, p, sliding_mask);
    PUT(out, p, pawns7th);
    PUT(out, p, piece_mask);
    PUT(out, p, material_mask);
    PUT(out, p, board);
    PUT(out, p, pboard);
    PUT(out, p, pieces);
    PUT(out, p, control);
    PUT(out, p, cont);
    PUT(out, p, safe_mobility);
    PUT(out, p, mobility);
    PUT(out, p, white_moves);
    PUT(out, p, black_moves);
    PUT(out, p, piece_values);
    PUT(out, p, stage);
    PUT(out, p, piece_change);
    PUT(out, p, hung_mask);
    PUT(out, p, pinned_mask);
    PUT(out, p, attacking_mask);
    PUT(out, p, w_material);
    PUT(out, p, b_material);
    PUT(out, p, board_control);
    PUT(out, p, expensive);
    PUT(out, p, evaluation);
    PUT(out, p, flight);
    PUT(out, p, wpassed_pawn_mask);
    PUT(out, p, bpassed_pawn_mask);
    PUT(out, p, null_stoppable_pawn);
    PUT(out, p, null_unstoppable_pawn);
    PUT(out, p, dont_copy);
    PUT(out, p, topieces);
    PUT(out, p, xray_topieces);
    PUT(out, p, num_moves);
    PutMove(out + offsetof(POS_T, last_move), p.last_move);
    PutMove(out + offsetof(POS_T, best_capture), p.best_capture);
    PUT(out, p, tactics);
    PUT(out, p, flags);
    PUT(out, p, flags2);
    PUT(out, p, enpassant);
    PUT(out, p, pro_dunsel);
    PUT(out, p, fifty_count);
    PUT(out, p, move_num);
    PUT(out, p, winner);
    unsigned char* h = out + offsetof(POS_T, h_entry);
    const HASHENTRY_T& e = p.h_entry;
    PUT(h, e, hash1);
    PUT(h, e, hash2);
    PUT(h, e, low);
    PUT(h, e, high);
    PUT(h, e, depth_low);
    PUT(h, e, depth_high);
    PUT(h, e, from);
    PUT(h, e, to);
    PUT(h, e, tag);
    PUT(h, e, move_num);
    PUT(out, p, eval_result);
}
}  // namespace

void SaveImage(const STATE_T* s, unsigned char image[SAVE_FILE_SIZE]) {
    memset(image, 0, SAVE_FILE_SIZE);
    PutPosition(image + offsetof(STATE_T, position), s->position);
    PutPosition(image + offsetof(STATE_T, oeb) + offsetof(OEB_T, pos_0), s->oeb.pos_0);
    memcpy(image + offsetof(STATE_T, oeb) + offsetof(OEB_T, inited), &s->oeb.inited, sizeof s->oeb.inited);
    memcpy(image + offsetof(STATE_T, oeb) + offsetof(OEB_T, ply_offset), &s->oeb.ply_offset,
           sizeof s->oeb.ply_offset);
    const STATE_T& st = *s;
    PUT(image, st, dmode);
    PUT(image, st, selected);
    PUT(image, st, spreadmap);
    PUT(image, st, spread);
    PUT(image, st, stipple);
    PUT(image, st, rules);
    PUT(image, st, tamzor);
    PUT(image, st, notation);
    PUT(image, st, maxdepth);
    PUT(image, st, scale);
    PUT(image, st, projection_ortho);
    PUT(image, st, xang);
    PUT(image, st, yang);
    PUT(image, st, stop_search);
    PUT(image, st, state_hash_table_size);
    for (int i = 0; i < GAME_RECORD_SIZE; i++)
        PutMove(image + offsetof(STATE_T, game_record) + i * sizeof(MOVE_T), st.game_record[i]);
    PUT(image, st, hash_list);
    PUT(image, st, demo_mode);
    PUT(image, st, clock_control);
    PUT(image, st, clock_white);
    PUT(image, st, clock_black);
}

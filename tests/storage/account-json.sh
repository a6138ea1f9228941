# shellcheck shell=bash
# Sourced by the storage scripts: writes a vemo-cli import file of GROUPS groups ("Group 1" ...)
# of ITEMS items each.
# usage: write_account_json GROUPS ITEMS > FILE
write_account_json()
{
    awk -v groups="$1" -v items="$2" 'BEGIN {
        font = "{\"height\":-13,\"width\":0,\"escapement\":0,\"orientation\":0,\"weight\":400," \
               "\"italic\":0,\"underline\":0,\"strike_out\":0,\"char_set\":0,\"out_precision\":0," \
               "\"clip_precision\":0,\"quality\":0,\"pitch_and_family\":0,\"face_name\":\"Arial\"}"
        reminder = "{\"do_by\":1796817600,\"lead_seconds\":0,\"message_box\":false," \
                   "\"sound\":false,\"mail\":false,\"enabled\":false,\"repeat\":0}"
        printf "{\"format\":\"vemo-account\",\"version\":1,\"groups\":["
        for (g = 1; g <= groups; ++g) {
            printf "%s{\"name\":\"Group %d\",\"items\":[", (g > 1 ? "," : ""), g
            for (k = 1; k <= items; ++k) {
                printf "%s{\"key\":%d,\"created\":1796817600,\"priority\":2,", (k > 1 ? "," : ""), k
                printf "\"title\":\"Item %d of group %d\",\"message\":\"Message %d\",", k, g, k
                printf "\"quick_listed\":false,\"has_sticky\":false,\"sticky_rect\":[0,0,0,0],"
                printf "\"sticky_back\":16777215,\"sticky_text\":0,\"sticky_font\":%s,", font
                printf "\"completed\":false,\"reminder\":%s}", reminder
            }
            printf "]}"
        }
        printf "]}\n"
    }'
}

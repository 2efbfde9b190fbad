# Private test networks in network namespaces. Source this file; needs root.
#
# lab_up NAME LINKS   makes namespace NAME-pc with interfaces lsk0..lsk(LINKS-1),
#                     each a veth to its own namespace NAME-lanK (interface dev0).
#                     Link K uses 198.18.(4K).0/22 (the range set aside for
#                     network tests): the PC end is 198.18.(4K).1, devices take
#                     addresses from 198.18.(4K).10 on. Every namespace routes
#                     224.0.0.0/4 to its link, so discovery traffic never leaves.
# lab_down NAME       removes them again.
# lab_pc_ip K         the PC's address on link K.
# lab_dev_ip K N      the N-th device address on link K (N from 0).
# lab_add_ip NAME K IP   adds IP to the device end of link K.

lab_pc_ip() { echo "198.18.$(( 4 * $1 )).1"; }

lab_dev_ip() {
  local base=$(( 4 * $1 * 256 + 10 + $2 ))
  echo "198.18.$(( base / 256 )).$(( base % 256 ))"
}

lab_up() {
  local name=$1 links=${2:-1} k
  ip netns add "$name-pc"
  ip -n "$name-pc" link set lo up
  for (( k = 0; k < links; k++ )); do
    ip netns add "$name-lan$k"
    ip -n "$name-lan$k" link set lo up
    ip link add "lsk$k" netns "$name-pc" type veth peer name dev0 netns "$name-lan$k"
    ip -n "$name-pc" addr add "$(lab_pc_ip "$k")/22" dev "lsk$k"
    ip -n "$name-pc" link set "lsk$k" up
    ip -n "$name-lan$k" link set dev0 up
    ip -n "$name-lan$k" route add 224.0.0.0/4 dev dev0
  done
  ip -n "$name-pc" route add 224.0.0.0/4 dev lsk0
}

lab_add_ip() { ip -n "$1-lan$2" addr add "$3/22" dev dev0; }

lab_down() {
  local ns
  for ns in $(ip netns list | awk '{print $1}' | grep -E "^$1-(pc|lan[0-9]+)$"); do
    ip netns pids "$ns" 2>/dev/null | xargs -r kill 2>/dev/null
    ip netns del "$ns"
  done
}

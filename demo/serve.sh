#!/usr/bin/env bash
# Starts the demo update server on loopback: nginx for HTTP and pyftpdlib for FTP,
# both serving demo/www. Usage: serve.sh DEMO_DIR HTTP_PORT FTP_PORT
# Writes the servers' process ids to DEMO_DIR/server.pids for the caller to stop them.
set -euo pipefail
demo=$1 http_port=$2 ftp_port=$3
mkdir -p "$demo/nginx/logs" "$demo/nginx/tmp"
cat > "$demo/nginx/nginx.conf" <<CONF
daemon off;
worker_processes 1;
pid $demo/nginx/nginx.pid;
error_log $demo/nginx/logs/error.log;
events { worker_connections 64; }
http {
  access_log $demo/nginx/logs/access.log;
  client_body_temp_path $demo/nginx/tmp;
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:$http_port;
    root $demo/www;
  }
}
CONF
/usr/sbin/nginx -p "$demo/nginx" -c "$demo/nginx/nginx.conf" -e "$demo/nginx/logs/error.log" &
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$ftp_port" -d "$demo/www" -u trevalmonte -P harbloom \
  > "$demo/ftp.log" 2>&1 &
echo "$! $(jobs -p | head -1)" > "$demo/server.pids"
for _ in $(seq 100); do
  if (exec 3<>/dev/tcp/127.0.0.1/"$http_port") 2>/dev/null && (exec 3<>/dev/tcp/127.0.0.1/"$ftp_port") 2>/dev/null; then
    exit 0
  fi
  sleep 0.1
done
echo "demo servers did not start; see $demo/nginx/logs and $demo/ftp.log" >&2
exit 1

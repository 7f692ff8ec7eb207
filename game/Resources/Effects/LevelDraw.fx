// The level's effect: the instanced block wall, flat-coloured glow boxes and normal-mapped meshes.
// Matrices multiply points from the left; records arrive as float arrays:
// gMtrl = ambient rgba, diffuse rgba, specular rgba, power; gLight = ambient, diffuse, specular, position.
@shared
uniform mat4 gWVP;
uniform mat4 gWorldInv;
uniform float gMtrl[13];
uniform float gLight[15];
uniform float gLight2[15];
uniform vec4 gEyePosW;
uniform sampler2D gTex;
uniform sampler2D gNormalMap;
uniform float intensity;
uniform bool flatShade;
uniform float timer;
uniform float xgrav;
uniform float ygrav;
uniform float gwidth;
uniform float gheight;

vec3 LightPart(float record[15], int first) { return vec3(record[first], record[first + 1], record[first + 2]); }

@vertex InstanceVS
layout(location = 0) in vec3 position;
layout(location = 3) in vec3 normal;
layout(location = 4) in vec2 uv;
layout(location = 5) in vec4 colour;
layout(location = 6) in vec4 place;
out vec3 worldPos;
out vec3 worldNormal;
out vec2 texel;
out vec4 tint;
void main() {
    // Cubes are listed by their tile's corner; the tile itself spans one unit up and right of it.
    worldPos = position + place.xyz + vec3(0.5);
    worldNormal = normal;
    texel = uv;
    tint = colour;
    gl_Position = ToClip(vec4(worldPos, 1.0) * gWVP);
}

@fragment InstancePS
in vec3 worldPos;
in vec3 worldNormal;
in vec2 texel;
in vec4 tint;
out vec4 colour;
void main() {
    vec3 n = normalize(worldNormal);
    vec3 bump = texture(gNormalMap, texel).xyz * 2.0 - 1.0;
    n = normalize(n + 0.35 * vec3(bump.x, bump.y, 0.0) * (1.0 - abs(n.z)) + 0.35 * vec3(bump.xy, 0.0) * abs(n.z));
    // A steady light from over the viewer's shoulder (gLight2 has no position), plus the player's light.
    vec3 toSun = normalize(vec3(-0.4, 0.6, -1.0));
    vec3 lit = LightPart(gLight2, 0) + LightPart(gLight2, 4) * max(dot(n, toSun), 0.0);
    vec3 toPlayer = LightPart(gLight, 12) - worldPos;
    float fall = 1.0 / (1.0 + 0.15 * dot(toPlayer, toPlayer));
    lit += LightPart(gLight, 4) * max(dot(n, normalize(toPlayer)), 0.0) * fall * 3.0;
    vec3 surface = tint.rgb * 2.2 * texture(gTex, texel).rgb;
    colour = vec4(surface * lit * intensity, tint.a);
}

@vertex MeshVS
layout(location = 0) in vec3 position;
layout(location = 3) in vec3 normal;
layout(location = 4) in vec2 uv;
out vec3 localNormal;
out vec2 texel;
void main() {
    localNormal = normal;
    texel = uv;
    gl_Position = ToClip(vec4(position, 1.0) * gWVP);
}

@fragment FlatPS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    // Blocks glow in their material's diffuse colour, brightest face on; black materials give none.
    float rim = 0.6 + 0.4 * abs(normalize(localNormal).z);
    colour = vec4(vec3(gMtrl[4], gMtrl[5], gMtrl[6]) * 0.5 * rim * intensity, 1.0);
}

@fragment NormalMapPS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    vec3 n = normalize(localNormal);
    float diffuse = max(dot(n, normalize(vec3(-0.4, 0.6, -1.0))), 0.0);
    vec3 base = texture(gTex, texel).rgb;
    vec3 ambient = vec3(gMtrl[0], gMtrl[1], gMtrl[2]);
    vec3 lit = flatShade ? ambient + vec3(gMtrl[4], gMtrl[5], gMtrl[6]) * diffuse
                         : base * (ambient * 0.5 + vec3(gMtrl[4], gMtrl[5], gMtrl[6]) * diffuse);
    colour = vec4(lit * intensity, 1.0);
}

@fragment GravPS
in vec3 localNormal;
in vec2 texel;
out vec4 colour;
void main() {
    // A gravity field: stripes running along the pull, drifting with time.
    float along = dot(texel - 0.5, normalize(vec2(xgrav, ygrav) + vec2(1e-4)));
    float stripe = 0.5 + 0.5 * sin(along * 40.0 - timer * 0.01);
    colour = vec4(0.2, 0.4, 1.0, 0.15 + 0.25 * stripe);
}

@technique Instance
pass 0 InstanceVS InstancePS alpha

@technique FlatMtrlTech
pass 0 MeshVS FlatPS

@technique NormalMapTech
pass 0 MeshVS NormalMapPS

@technique GravTech
pass 0 MeshVS GravPS alpha

@technique GravSphereTech
pass 0 MeshVS GravPS alpha
